#include "app/portchoice.h"

#include "app/guidownloadhost.h"

#include <QDir>
#include <QRegularExpression>

namespace {

constexpr int kListedPorts = 4;

QString ComText(int nPort)
{
    return QStringLiteral("COM %1").arg(nPort);
}

} // namespace

QList<PortEntry> PortEntries(const QStringList& astrDevices, const QString& strDemoText)
{
    QList<PortEntry> entries;
    for (int nPort = 1; nPort <= kListedPorts; ++nPort)
        entries << PortEntry{ComText(nPort), PortSetting{nPort, QString()}};
    for (const QString& strDevice : astrDevices)
        entries << PortEntry{strDevice, PortSetting{0, strDevice}};
    entries << PortEntry{strDemoText,
                         PortSetting{0, QString::fromLatin1(CGuiDownloadHost::kDemoTester)}};
    return entries;
}

QString PortText(const PortSetting& setting, const QString& strDemoText)
{
    if (setting.m_strDevice.isEmpty())
        return ComText(setting.m_nComPort);
    if (setting.m_strDevice == QLatin1String(CGuiDownloadHost::kDemoTester))
        return strDemoText;
    return setting.m_strDevice;
}

PortSetting PortFromChoice(int nSelected, const QString& strTyped, const QList<PortEntry>& entries,
                           const PortSetting& current)
{
    if (nSelected >= 0 && nSelected < entries.size()) {
        PortSetting chosen = entries[nSelected].m_setting;
        // A device leaves the number as it was, for when the device goes.
        if (!chosen.m_strDevice.isEmpty())
            chosen.m_nComPort = current.m_nComPort;
        return chosen;
    }
    const QString strText = strTyped.trimmed();
    static const QRegularExpression comPattern(QStringLiteral("^COM\\s*([1-9][0-9]{0,2})$"),
                                               QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch match = comPattern.match(strText); match.hasMatch())
        return PortSetting{match.captured(1).toInt(), QString()};
    if (strText.startsWith(QLatin1Char('/')))
        return PortSetting{current.m_nComPort, strText};
    for (const PortEntry& entry : entries) {
        if (entry.m_strText == strText)
            return PortFromChoice(static_cast<int>(&entry - entries.data()), QString(), entries,
                                  current);
    }
    return current;
}

QString PortForDownload(const PortSetting& setting)
{
    return setting.m_strDevice.isEmpty() ? QString::number(setting.m_nComPort)
                                         : setting.m_strDevice;
}

PortSetting SessionPortSetting(const QString& strPort, int nComPort)
{
    bool bNumber = false;
    const int nPort = strPort.toInt(&bNumber);
    if (bNumber && nPort > 0)
        return PortSetting{nPort, QString()};
    return PortSetting{nComPort, strPort};
}

QStringList FindSerialDevices()
{
    QStringList astrDevices;
    // Stable names first: they survive re-plugging.
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QString& strName : byId.entryList(QDir::System | QDir::Files, QDir::Name))
        astrDevices << byId.filePath(strName);
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& strName : dev.entryList(
             {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")}, QDir::System, QDir::Name))
        astrDevices << dev.filePath(strName);
    return astrDevices;
}
