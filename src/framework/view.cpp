#include "framework/view.h"

#include "framework/childframe.h"
#include "framework/document.h"

CView::CView(CDocument& document, QWidget* pParent) : QWidget(pParent), m_pDocument(&document)
{
    document.AddView(this);
}

CView::~CView()
{
    emit destroying(this);
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CChildFrame* CView::GetParentFrame() const
{
    for (QWidget* pParent = parentWidget(); pParent; pParent = pParent->parentWidget()) {
        if (auto* pFrame = qobject_cast<CChildFrame*>(pParent))
            return pFrame;
    }
    return nullptr;
}

void CView::ActivateView(bool bActivate)
{
    if (m_bActive == bActivate)
        return;
    m_bActive = bActivate;
    OnActivateView(bActivate);
}
