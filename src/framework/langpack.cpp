#include "framework/langpack.h"

#include "framework/langpackcontents.h"
#include "framework/svgicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Every pack gets a resource root of its own, never reused, so a second pack
// (another language, or a test's) never shadows the first.
QString NewResourceRoot()
{
    static std::atomic<int> s_nNextRoot{1};
    return QStringLiteral("/lmx-langpack-%1").arg(s_nNextRoot++);
}

} // namespace

CLangPack::CLangPack() = default;

CLangPack::~CLangPack()
{
    Unload();
}

bool CLangPack::Load(const QString& strPath)
{
    Unload();
    if (!QFileInfo(strPath).isFile()) {
        m_strError = QStringLiteral("%1: no such file").arg(strPath);
        return false;
    }
    const QString strRoot = NewResourceRoot();
    if (!QResource::registerResource(strPath, strRoot)) {
        m_strError = QStringLiteral("%1: not a resource pack").arg(strPath);
        return false;
    }
    auto pContents = std::make_unique<LangPackContents>();
    QString strError;
    if (!ReadLangPackContents(QLatin1Char(':') + strRoot, *pContents, strError)) {
        QResource::unregisterResource(strPath, strRoot);
        m_strError = QStringLiteral("%1: %2").arg(strPath, strError);
        return false;
    }
    m_strRoot = strRoot;
    m_strPath = strPath;
    m_pContents = std::move(pContents);
    m_bLoaded = true;
    return true;
}

void CLangPack::Unload()
{
    if (m_bLoaded)
        QResource::unregisterResource(m_strPath, m_strRoot);
    m_bLoaded = false;
    m_strPath.clear();
    m_strError.clear();
    m_strRoot.clear();
    m_pContents.reset();
}

QString CLangPack::LoadString(int nId) const
{
    return m_pContents ? m_pContents->m_strings.value(nId) : QString();
}

bool CLangPack::HasString(int nId) const
{
    return m_pContents && m_pContents->m_strings.contains(nId);
}

QList<int> CLangPack::StringIds() const
{
    if (!m_pContents)
        return {};
    QList<int> anIds = m_pContents->m_strings.keys();
    std::sort(anIds.begin(), anIds.end());
    return anIds;
}

std::optional<MenuDef> CLangPack::Menu(int nId) const
{
    if (!m_pContents || !m_pContents->m_menus.contains(nId))
        return std::nullopt;
    return m_pContents->m_menus.value(nId);
}

std::optional<ToolBarDef> CLangPack::ToolBar(int nId) const
{
    if (!m_pContents || !m_pContents->m_toolBars.contains(nId))
        return std::nullopt;
    return m_pContents->m_toolBars.value(nId);
}

QIcon CLangPack::StripImage(int nStripId, int nIndex) const
{
    if (!m_pContents)
        return {};
    const QString strImage = m_pContents->m_strips.value(nStripId).value(nIndex);
    return strImage.isEmpty() ? QIcon() : SvgFileIcon(ResourcePath(strImage));
}

int CLangPack::StripImageCount(int nStripId) const
{
    return m_pContents ? int(m_pContents->m_strips.value(nStripId).size()) : 0;
}

QIcon CLangPack::CommandImage(int nCommandId) const
{
    if (!m_pContents || !m_pContents->m_commandImages.contains(nCommandId))
        return {};
    return SvgFileIcon(ResourcePath(m_pContents->m_commandImages.value(nCommandId)));
}

QImage CLangPack::Bitmap(int nId, qreal nScale) const
{
    if (!m_pContents || !m_pContents->m_bitmaps.contains(nId) || !(nScale > 0))
        return {};
    QSvgRenderer renderer(ResourcePath(m_pContents->m_bitmaps.value(nId)));
    if (!renderer.isValid())
        return {};
    const QSize size = renderer.defaultSize();
    QImage image(std::max(1, int(std::lround(size.width() * nScale))),
                 std::max(1, int(std::lround(size.height() * nScale))),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(nScale);
    return image;
}

QIcon CLangPack::Icon(int nId) const
{
    if (!m_pContents || !m_pContents->m_icons.contains(nId))
        return {};
    return SvgFileIcon(ResourcePath(m_pContents->m_icons.value(nId)));
}

QString CLangPack::AnimationPath(int nId) const
{
    if (!m_pContents || !m_pContents->m_animations.contains(nId))
        return {};
    const QString strPath = ResourcePath(m_pContents->m_animations.value(nId));
    return QFile::exists(strPath) ? strPath : QString();
}

QString CLangPack::DialogText(int nDialogId, int nControlId) const
{
    return m_pContents ? m_pContents->m_dialogs.value(nDialogId).value(nControlId) : QString();
}

QStringList CLangPack::SearchPaths(const QString& strLanguage)
{
    const QString strDir = QCoreApplication::applicationDirPath();
    const QString strFile = FileName(strLanguage);
    QStringList astrPaths{
        strDir + QLatin1Char('/') + strFile,
        QDir::cleanPath(strDir + QStringLiteral("/../share/lmx4410/") + strFile),
        QStringLiteral(LMX_BUILD_PACK_DIR "/") + strFile,
    };
    astrPaths.removeDuplicates();
    return astrPaths;
}

QString CLangPack::FileName(const QString& strLanguage)
{
    return strLanguage.isEmpty() ? QStringLiteral("LangPack.rcc")
                                 : QStringLiteral("LangPack-%1.rcc").arg(strLanguage);
}

QString CLangPack::Locate(const QStringList& astrLanguages)
{
    QStringList astrTried;
    for (const QString& strLanguage : astrLanguages) {
        astrTried << strLanguage << strLanguage.section(QLatin1Char('-'), 0, 0);
    }
    astrTried << QString();
    astrTried.removeDuplicates();
    for (const QString& strLanguage : astrTried) {
        for (const QString& strPath : SearchPaths(strLanguage)) {
            if (QFileInfo(strPath).isFile())
                return strPath;
        }
    }
    return {};
}

QString CLangPack::Language() const
{
    return LanguageOfFile(m_strPath);
}

QString CLangPack::LanguageOfFile(const QString& strPath)
{
    const QString strName = QFileInfo(strPath).completeBaseName();
    const QString strPrefix =
        FileName(QString()).section(QLatin1Char('.'), 0, 0) + QLatin1Char('-');
    return strName.startsWith(strPrefix) ? strName.mid(strPrefix.size()) : QString();
}

MenuItemDef CLangPack::CommandItem(int nId, const QString& strText)
{
    MenuItemDef item;
    item.m_nId = nId;
    const qsizetype nTab = strText.indexOf(QLatin1Char('\t'));
    item.m_strText = strText.left(nTab);
    if (nTab < 0)
        return item;
    const QKeySequence shortcut =
        QKeySequence::fromString(strText.mid(nTab + 1).trimmed(), QKeySequence::PortableText);
    // A shortcut that does not parse would bind an unknown key; it gets none.
    for (int i = 0; i < shortcut.count(); ++i) {
        if (shortcut[i].key() == Qt::Key_unknown)
            return item;
    }
    item.m_shortcut = shortcut;
    return item;
}

QString CLangPack::ResourcePath(const QString& strRelative) const
{
    return QLatin1Char(':') + m_strRoot + QLatin1Char('/') + strRelative;
}

namespace {
const CLangPack* g_pResources = nullptr;
} // namespace

const CLangPack& AfxGetResourceHandle()
{
    static const CLangPack empty;
    return g_pResources ? *g_pResources : empty;
}

void AfxSetResourceHandle(const CLangPack* pPack)
{
    g_pResources = pPack;
}

QString LoadResString(int nId)
{
    return AfxGetResourceHandle().LoadString(nId);
}
