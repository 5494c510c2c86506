#include "framework/doctypestrings.h"

#include "framework/langpack.h"
#include "framework/resourceids.h"

namespace {

constexpr int kFieldCount = 7;

} // namespace

CDocTypeStrings::CDocTypeStrings(const QString& strResource)
    : m_astrFields(strResource.split(QLatin1Char('\n')))
{
    while (m_astrFields.size() < kFieldCount)
        m_astrFields << QString();
}

QString CDocTypeStrings::Get(Index nIndex) const
{
    return m_astrFields.value(nIndex).trimmed();
}

QString CDocTypeStrings::DocName() const
{
    const QString strName = Get(docName);
    return strName.isEmpty() ? QStringLiteral("Report") : strName;
}

QString CDocTypeStrings::DefaultExtension() const
{
    QString strExt = Get(filterExt).section(QLatin1Char(';'), 0, 0).trimmed();
    if (strExt.startsWith(QLatin1Char('*')))
        strExt.remove(0, 1);
    if (strExt.isEmpty() || strExt == QLatin1String("."))
        return QStringLiteral(".lmx");
    return strExt.startsWith(QLatin1Char('.')) ? strExt : QLatin1Char('.') + strExt;
}

QString CDocTypeStrings::DefaultSuffix() const
{
    return DefaultExtension().mid(1);
}

QString CDocTypeStrings::FileDialogFilter() const
{
    QString strFilter = Get(filterName);
    if (strFilter.isEmpty())
        strFilter = QStringLiteral("Test documents");
    // A file dialog finds its patterns in parentheses.
    if (!strFilter.contains(QLatin1Char('(')))
        strFilter += QStringLiteral(" (*%1)").arg(DefaultExtension());
    const QString strAllFiles = LoadResString(IDS_ALL_FILES_FILTER);
    return strAllFiles.isEmpty() ? strFilter : strFilter + QStringLiteral(";;") + strAllFiles;
}
