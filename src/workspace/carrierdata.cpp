#include "workspace/carrierdata.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kMaxFileBaseLength = 80;

// Letters, digits and a few marks keep their place; anything else (folder
// separators, wildcards, control bytes) becomes '_'.
QString FileNamePart(const QString& strText)
{
    QString part;
    for (const QChar c : strText) {
        const bool keep = c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' ||
                          c == u'.' || c == u'(' || c == u')';
        part += keep ? c : QChar(u'_');
    }
    // Leading dots would hide the file or climb out of the folder.
    while (part.startsWith(u'.') || part.startsWith(u' '))
        part.remove(0, 1);
    return part.trimmed();
}

} // namespace

CarrierArray CarriersOf(const TestRecord& record)
{
    CarrierArray anCarrier{};
    std::copy_n(record.m_Graph.m_anValue.begin() + 1, anCarrier.size(), anCarrier.begin());
    return anCarrier;
}

double CarrierPlotValue(int nValue)
{
    return static_cast<double>(static_cast<std::uint32_t>(nValue));
}

QList<QPointF> CarrierPoints(const CarrierArray& anCarrier)
{
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(anCarrier.size()));
    for (std::size_t k = 0; k < anCarrier.size(); ++k)
        points.append(QPointF(static_cast<double>(k), CarrierPlotValue(anCarrier[k])));
    return points;
}

double HighestCarrierValue(const CarrierArray& anCarrier)
{
    double highest = 0.0;
    for (const int value : anCarrier)
        highest = std::max(highest, CarrierPlotValue(value));
    return highest;
}

QString CarrierValuesText(const CarrierArray& anCarrier, const QString& strHeading)
{
    QString text = strHeading.isEmpty() ? QString() : strHeading + u'\n';
    for (std::size_t k = 0; k < anCarrier.size(); ++k)
        text += QStringLiteral("%1\t%2\n").arg(k).arg(static_cast<std::uint32_t>(anCarrier[k]));
    return text;
}

std::optional<int> CarrierAt(double dX)
{
    const double nearest = std::round(dX);
    if (!std::isfinite(nearest) || nearest < 0.0 || nearest >= GraphSection::kCarrierCount)
        return std::nullopt;
    return static_cast<int>(nearest);
}

QString CarrierReadout(const QString& strTemplate, const CarrierArray& anCarrier, int nCarrier)
{
    if (nCarrier < 0 || nCarrier >= GraphSection::kCarrierCount)
        return {};
    const auto value = static_cast<std::uint32_t>(anCarrier[static_cast<std::size_t>(nCarrier)]);
    // A pack without the template still tells the numbers.
    const bool complete = strTemplate.contains(u"%1") && strTemplate.contains(u"%2");
    return (complete ? strTemplate : QStringLiteral("%1: %2")).arg(nCarrier).arg(value);
}

QString CarrierImageFileName(const QString& strBase, const TestRecord& record)
{
    const std::string& userInfo = record.m_RateFrame.m_strUserInfo;
    QString name = FileNamePart(strBase);
    const QString info =
        FileNamePart(QString::fromLatin1(userInfo.data(), static_cast<qsizetype>(userInfo.size())));
    if (!info.isEmpty())
        name += name.isEmpty() ? info : QStringLiteral(" - ") + info;
    name.truncate(kMaxFileBaseLength);
    name = name.trimmed();
    if (name.isEmpty())
        name = QStringLiteral("carriers");
    return name + QStringLiteral(".png");
}
