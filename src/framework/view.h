#pragma once

#include "framework/cmdtarget.h"

#include <QWidget>

class CChildFrame;
class CDocument;

// A window onto a document. The view registers with its document when made
// and leaves it when it goes; the document closes when its last view goes.
class CView : public QWidget, public CCmdTarget
{
    Q_OBJECT

public:
    explicit CView(CDocument& document, QWidget* pParent = nullptr);
    ~CView() override;

    // Null only once the document is gone before its view.
    CDocument* GetDocument() const { return m_pDocument; }
    // The child frame the view sits in; null while it sits in none.
    CChildFrame* GetParentFrame() const;

    // Called once, after the view is in its frame and before it shows.
    virtual void OnInitialUpdate() {}
    // Called when the view's frame becomes the active one, and when it stops
    // being active (another frame is activated, or the frame closes).
    virtual void OnActivateView(bool bActivate) { (void)bActivate; }

    // Calls OnActivateView when the state really changes, so that each
    // activation is followed by exactly one deactivation.
    void ActivateView(bool bActivate);
    bool IsActiveView() const { return m_bActive; }

signals:
    // Sent while the view is still whole, before its widgets go.
    void destroying(CView* pView);

private:
    friend class CDocument;
    CDocument* m_pDocument;
    bool m_bActive = false;
};
