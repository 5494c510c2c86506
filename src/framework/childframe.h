#pragma once

#include <QMdiSubWindow>

class CDocument;
class CView;

// The window of one view inside the main frame's tabbed area. Its title is
// the document's; closing it asks about unsaved changes when it shows the
// document's last view, and it is deleted once closed.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit CChildFrame(CView* pView, QWidget* pParent = nullptr);
    ~CChildFrame() override;

    CView* GetActiveView() const;
    CDocument* GetActiveDocument() const;

    // Brings the window to the front of its area and gives it the focus.
    void ActivateFrame();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void UpdateTitle();
};
