#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QRect>
#include <QString>

#include <QLabel>

// A progress bar that places itself in a pane of the main window's status
// bar, behind a short message it writes into the same pane. A scoped
// object: created when a long job starts, stepped as it goes, and destroyed
// when it ends, which gives the pane its text back.
class CProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    CProgressBar();
    CProgressBar(const QString& strMessage, int nSize = 100, int nMaximum = 100,
                 bool bSmooth = false, int nPane = 0);
    ~CProgressBar() override;

    // False when the main window has no status bar or no such pane.
    bool Create(const QString& strMessage, int nSize = 100, int nMaximum = 100,
                bool bSmooth = false, int nPane = 0);
    bool SetRange(int nLower, int nUpper, int nStep);
    void SetStep(int nStep);
    void StepIt();
    // Places the bar in its pane again; false without a pane.
    bool Resize();
    bool IsCreated() const { return m_pPane != nullptr; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Clear();

    int m_nSize = 100;
    int m_nPane = 0;
    int m_nStep = 1;
    QString m_strMessage;
    QString m_strSavedPaneText;
    QRect m_rcLast;
    QPointer<QLabel> m_pPane;
};
