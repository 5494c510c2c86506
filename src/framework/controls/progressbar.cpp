#include "framework/controls/progressbar.h"

#include "framework/controls/progressbargeometry.h"
#include "framework/guimdiframe.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

// Pane 0 is the message pane; the others are the indicators after it.
QLabel* FindPane(int nPane)
{
    CGuiMDIFrame* pFrame = AfxGetMainWnd();
    if (!pFrame)
        return nullptr;
    if (nPane == 0)
        return pFrame->MessagePane();
    const QList<QLabel*> panes =
        pFrame->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    QList<QLabel*> indicators;
    for (QLabel* pLabel : panes) {
        if (pLabel != pFrame->MessagePane())
            indicators << pLabel;
    }
    return indicators.value(nPane - 1);
}

} // namespace

CProgressBar::CProgressBar() = default;

CProgressBar::CProgressBar(const QString& strMessage, int nSize, int nMaximum, bool bSmooth,
                           int nPane)
{
    Create(strMessage, nSize, nMaximum, bSmooth, nPane);
}

CProgressBar::~CProgressBar()
{
    Clear();
}

bool CProgressBar::Create(const QString& strMessage, int nSize, int nMaximum, bool bSmooth,
                          int nPane)
{
    QLabel* pPane = FindPane(nPane);
    if (!pPane)
        return false;
    setParent(pPane->parentWidget());
    setObjectName(QStringLiteral("1"));
    setTextVisible(false);
    // Qt's bars fill continuously in every style; a blocky look is not ours to pick.
    (void)bSmooth;
    setGeometry(pPane->geometry());
    m_pPane = pPane;
    SetRange(0, nMaximum, 1);
    SetStep(1);
    m_strMessage = strMessage;
    m_nSize = nSize;
    m_nPane = nPane;
    m_strSavedPaneText = pPane->text();
    // The pane's moves and resizes tell the bar to follow.
    pPane->installEventFilter(this);
    Resize();
    return true;
}

bool CProgressBar::SetRange(int nLower, int nUpper, int nStep)
{
    if (!m_pPane)
        return false;
    setRange(nLower, nUpper);
    setValue(nLower);
    m_nStep = nStep;
    return true;
}

void CProgressBar::SetStep(int nStep)
{
    if (!m_pPane)
        return;
    show();
    m_nStep = nStep;
}

void CProgressBar::StepIt()
{
    if (!m_pPane)
        return;
    show();
    // Like the common control: past the top it starts again from the bottom.
    const int nNext = value() + m_nStep;
    setValue(nNext > maximum() ? minimum() + (nNext - maximum()) : nNext);
}

bool CProgressBar::Resize()
{
    if (!m_pPane)
        return false;
    if (isVisible()) {
        m_pPane->setText(m_strMessage);
        m_pPane->repaint();
    }
    const QFontMetrics metrics(m_pPane->font());
    const QRect rc = ProgressBarRect(m_pPane->geometry(), metrics.horizontalAdvance(m_strMessage),
                                     metrics.horizontalAdvance(QLatin1Char(' ')),
                                     !m_strMessage.isEmpty(), m_nSize);
    if (rc != m_rcLast) {
        setGeometry(rc);
        m_rcLast = rc;
    }
    raise();
    return true;
}

bool CProgressBar::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pPane && (pEvent->type() == QEvent::Resize || pEvent->type() == QEvent::Move))
        Resize();
    return QProgressBar::eventFilter(pWatched, pEvent);
}

void CProgressBar::Clear()
{
    if (!m_pPane)
        return;
    hide();
    m_pPane->removeEventFilter(this);
    m_pPane->setText(m_nPane == 0 ? LoadResString(AFX_IDS_IDLEMESSAGE) : m_strSavedPaneText);
    m_pPane->repaint();
    m_pPane = nullptr;
}
