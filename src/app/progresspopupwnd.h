#pragma once

#include "app/popuplayout.h"

#include <QFont>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QMovie;
class QPushButton;

// The small always-on-top window of a download: a caption, an animation, a
// word-wrapped message, a sunken progress bar it paints itself, and a Cancel
// button. It is not modal. The object outlives its windows: each operation
// only stores its value while no window exists.
class CProgressPopup final
{
public:
    // Delivers the cancel message to the owner later, as a posted message.
    using PostToOwner = std::function<void(unsigned nMessage)>;

    static constexpr unsigned kDefaultLimit = 100;
    static constexpr int kMinimumWidth = 200;
    static constexpr int kFontPixels = 12;

    // The font of the message and of Cancel.
    static QFont PopupFont();
    // Cancel's caption, from the resource pack.
    static QString CancelText();

    CProgressPopup();
    ~CProgressPopup();
    CProgressPopup(const CProgressPopup&) = delete;
    CProgressPopup& operator=(const CProgressPopup&) = delete;

    // The window it is centred over and that hears Cancel.
    void SetOwner(QWidget* pOwner, PostToOwner postToOwner);

    void SetPopupWidth(int nPixels);
    void SetCaption(const std::string& strCaption);
    void SetMessage(const std::string& strText, bool bRelayout);
    void SetLimit(unsigned nLimit);
    void EnableCancel(bool bEnable);
    void SetCancelMessage(unsigned nMessage);
    void SetAnimationId(unsigned nAnimationId);
    void CreatePopup();
    void ClosePopup();
    void ResetBar();
    void Advance(unsigned nStep);

    // For the program and its tests.
    QWidget* Window() const;
    unsigned Position() const { return m_nPos; }
    unsigned Limit() const { return m_nLimit; }
    unsigned LastFilledWidth() const { return m_nLastWidth; }
    const PopupLayout& Layout() const { return m_layout; }
    const QString& Message() const { return m_strText; }
    QPushButton* CancelButton() const;
    // What the Cancel button does: posts the cancel message to the owner.
    void OnCancel();

private:
    class CWindow;
    friend class CWindow;

    void Relayout();
    void PlaceWindow();
    QMargins FrameMargins() const;
    void RestartAnimation();
    void DrawBar(bool bForce);
    void ShowBarPosition(bool bRepaint);
    unsigned CurrentFilledWidth() const;

    QPointer<CWindow> m_pWindow;
    QWidget* m_pOwner = nullptr;
    PostToOwner m_postToOwner;
    unsigned m_nAnimationId = 0;
    unsigned m_nCancelMsg = 0;
    bool m_bCancelEnabled = false;
    unsigned m_nLastWidth = 0;
    unsigned m_nPos = 0;
    unsigned m_nLimit = kDefaultLimit;
    int m_nWidth;
    PopupLayout m_layout;
    QString m_strText;
    QString m_strCaption = QStringLiteral("Progress");
};
