// Placeholder until the pack loader lands: answers as an empty pack.
#include "langpack.h"

struct CLangPack::Contents
{
};

CLangPack::~CLangPack()
{
    Unload();
}

bool CLangPack::Load(const QString& strPath)
{
    m_strPath = strPath;
    return false;
}

void CLangPack::Unload()
{
    m_bLoaded = false;
}

QString CLangPack::LoadString(int) const
{
    return {};
}
bool CLangPack::HasString(int) const
{
    return false;
}
QList<int> CLangPack::StringIds() const
{
    return {};
}
std::optional<MenuDef> CLangPack::Menu(int) const
{
    return std::nullopt;
}
std::optional<ToolBarDef> CLangPack::ToolBar(int) const
{
    return std::nullopt;
}
QIcon CLangPack::StripImage(int, int) const
{
    return {};
}
int CLangPack::StripImageCount(int) const
{
    return 0;
}
QIcon CLangPack::CommandImage(int) const
{
    return {};
}
QImage CLangPack::Bitmap(int, qreal) const
{
    return {};
}
QIcon CLangPack::Icon(int) const
{
    return {};
}
QString CLangPack::AnimationPath(int) const
{
    return {};
}
QString CLangPack::DialogText(int, int) const
{
    return {};
}
QStringList CLangPack::SearchPaths(const QString&)
{
    return {};
}
QString CLangPack::FileName(const QString& strLanguage)
{
    return strLanguage.isEmpty() ? QStringLiteral("LangPack.rcc")
                                 : QStringLiteral("LangPack-%1.rcc").arg(strLanguage);
}
QString CLangPack::ResourcePath(const QString& strRelative) const
{
    return m_strRoot + strRelative;
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
