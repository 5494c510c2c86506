#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QMenu;
class QToolButton;

// A small strip of picture buttons at the top of a docking bar. Each button
// is a child widget whose id is its command id; clicking it sends that
// command (commandSent), which the bar handles.
class CGuiMiniTool : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kAlignLeft = 0;

    explicit CGuiMiniTool(QWidget* pParent = nullptr);

    // 0 puts the buttons at the left, anything else at the right.
    void AlingButtons(int nAlign);
    // The pictures of the buttons: image strip nBitmapId of the resource pack,
    // images nImageSize pixels wide. The count and mask colour of a bitmap
    // strip mean nothing for the pack's pictures, which carry their own
    // transparency; they are kept for the callers' sake.
    void SetImageList(int nBitmapId, int nImageSize, int nImageCount, QColor crMask);
    // Adds a button showing image nImage that sends nCommandId; pMenu, when
    // given, drops down from it.
    QToolButton* AddButton(int nImage, int nCommandId, QMenu* pMenu, const QString& strCaption,
                           const QString& strToolTip);
    // Without auto size the strip keeps one button height whatever it holds.
    void AutoSize(bool bAutoSize);
    void SetColor(QColor color);

    // The button of a command, or null.
    QToolButton* GetButton(int nCommandId) const;
    void EnableButton(int nCommandId, bool bEnable);

signals:
    void commandSent(int nCommandId);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QHBoxLayout* m_pLayout;
    bool m_bAlignLeft = true;
    int m_nBitmapId = 0;
    int m_nImageSize = 16;
    QColor m_color;
    QList<QToolButton*> m_apButtons;
};
