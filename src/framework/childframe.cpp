#include "framework/childframe.h"

#include "framework/document.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "framework/view.h"

#include <QCloseEvent>
#include <QMdiArea>

CChildFrame::CChildFrame(CView* pView, QWidget* pParent) : QMdiSubWindow(pParent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(pView);
    setWindowIcon(AfxGetResourceHandle().Icon(IDR_KORVOTYPE));
    if (CDocument* pDocument = pView->GetDocument()) {
        connect(pDocument, &CDocument::titleChanged, this, &CChildFrame::UpdateTitle);
        connect(pDocument, &CDocument::modifiedChanged, this, &CChildFrame::UpdateTitle);
    }
    UpdateTitle();
}

CChildFrame::~CChildFrame()
{
    // The view is still whole here (children go after this body): a view
    // that closes while active is told so before it goes.
    if (CView* pView = GetActiveView())
        pView->ActivateView(false);
}

CView* CChildFrame::GetActiveView() const
{
    return qobject_cast<CView*>(widget());
}

CDocument* CChildFrame::GetActiveDocument() const
{
    const CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

void CChildFrame::ActivateFrame()
{
    QMdiArea* pArea = mdiArea();
    // A tab fills the work area, also when it opens before the main window
    // shows (a file named on the command line).
    if (pArea && pArea->viewMode() == QMdiArea::TabbedView)
        showMaximized();
    else if (isMinimized())
        showNormal();
    else
        show();
    if (pArea)
        pArea->setActiveSubWindow(this);
    raise();
    if (QWidget* pView = widget())
        pView->setFocus();
}

void CChildFrame::closeEvent(QCloseEvent* pEvent)
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this)) {
        pEvent->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(pEvent);
}

void CChildFrame::UpdateTitle()
{
    const CDocument* pDocument = GetActiveDocument();
    if (!pDocument)
        return;
    // "[*]" shows the modified mark where the style puts one.
    setWindowTitle(
        QString(pDocument->GetTitle()).replace(QLatin1String("[*]"), QLatin1String("[*][*]")) +
        QLatin1String("[*]"));
    setWindowModified(pDocument->IsModified());
}
