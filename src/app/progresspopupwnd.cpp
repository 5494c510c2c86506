#include "app/progresspopupwnd.h"

#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace {

const char* const kCancelText = "Cancel";

int ScreenWidth()
{
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    return pScreen ? pScreen->availableGeometry().width() : 800;
}

QString FromLatin1(const std::string& strText)
{
    return QString::fromLatin1(strText.data(), static_cast<qsizetype>(strText.size()));
}

} // namespace

// The bar, sunken in two rings, white where it is empty. A progress bar to
// assistive technology, which hears its value change.
class CPopupBar final : public QProgressBar
{
public:
    static constexpr int kBorder = 2; // the rings around the bar

    explicit CPopupBar(QWidget* pParent) : QProgressBar(pParent)
    {
        setTextVisible(false);
        setFocusPolicy(Qt::NoFocus);
    }

    // Where the bar itself goes; the rings lie outside it.
    void Place(const QRect& bar)
    {
        setGeometry(bar.adjusted(-kBorder, -kBorder, kBorder, kBorder));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect bar = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
        DrawSunkenBorder(painter, bar);
        painter.fillRect(bar, palette().color(QPalette::Base));
        const unsigned nFilled = value() <= 0 ? 0
                                              : FilledBarWidth(static_cast<unsigned>(value()),
                                                               static_cast<unsigned>(maximum()),
                                                               static_cast<unsigned>(bar.width()));
        painter.fillRect(QRect(bar.left(), bar.top(), static_cast<int>(nFilled), bar.height()),
                         palette().color(QPalette::Highlight));
    }

private:
    // Two rings, dark on the top and left, light on the bottom and right.
    void DrawSunkenBorder(QPainter& painter, const QRect& bar)
    {
        const QColor dark = palette().color(QPalette::Shadow);
        const QColor light = palette().color(QPalette::Midlight);
        for (int nRing = kBorder; nRing >= 1; --nRing) {
            const QRect ring = bar.adjusted(-nRing, -nRing, nRing, nRing);
            painter.setPen(dark);
            painter.drawLine(ring.bottomLeft(), ring.topLeft());
            painter.drawLine(ring.topLeft(), ring.topRight());
            // Qt draws a line's end point too: the light edges stop short
            // of the dark corner instead of running past it.
            painter.setPen(light);
            painter.drawLine(ring.bottomLeft(), ring.bottomRight());
            painter.drawLine(ring.bottomRight(), ring.topRight() + QPoint(0, 1));
        }
    }
};

// The window itself: the message, the bar and the Cancel button as children,
// so a screen reader finds them; it cannot be closed from its caption.
class CProgressPopup::CWindow final : public QWidget
{
public:
    CWindow(CProgressPopup& popup, QWidget* pOwner)
        : QWidget(pOwner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowStaysOnTopHint),
          m_pText(new QLabel(this)), m_pBar(new CPopupBar(this)), m_popup(popup)
    {
        setObjectName(QStringLiteral("ProgressPopup"));
        setAttribute(Qt::WA_DeleteOnClose, false);
        m_pText->setTextFormat(Qt::PlainText);
        m_pText->setWordWrap(true);
        m_pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    QLabel* m_pAnimation = nullptr;
    QMovie* m_pMovie = nullptr;
    QLabel* m_pText;
    CPopupBar* m_pBar;
    QPushButton* m_pCancel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override
    {
        if (pEvent->key() == Qt::Key_Escape)
            m_popup.OnCancel();
        else
            QWidget::keyPressEvent(pEvent);
    }

    void closeEvent(QCloseEvent* pEvent) override
    {
        // Only the program closes it; Alt+F4 is a Cancel at most.
        pEvent->ignore();
    }

private:
    CProgressPopup& m_popup;
};

CProgressPopup::CProgressPopup() : m_nWidth(std::max(ScreenWidth() / 2, kMinimumWidth)) {}

CProgressPopup::~CProgressPopup()
{
    ClosePopup();
}

void CProgressPopup::SetOwner(QWidget* pOwner, PostToOwner postToOwner)
{
    m_pOwner = pOwner;
    m_postToOwner = std::move(postToOwner);
}

QWidget* CProgressPopup::Window() const
{
    return m_pWindow.data();
}

QPushButton* CProgressPopup::CancelButton() const
{
    return m_pWindow ? m_pWindow->m_pCancel : nullptr;
}

void CProgressPopup::SetPopupWidth(int nPixels)
{
    m_nWidth = nPixels == -1 ? std::max(ScreenWidth() / 4, kMinimumWidth) : nPixels;
    if (!m_pWindow)
        return;
    Relayout();
    m_nLastWidth = 0;
    DrawBar(true);
    RestartAnimation();
}

void CProgressPopup::SetCaption(const std::string& strCaption)
{
    m_strCaption = FromLatin1(strCaption);
    if (m_pWindow)
        m_pWindow->setWindowTitle(m_strCaption);
}

void CProgressPopup::SetMessage(const std::string& strText, bool bRelayout)
{
    m_strText = FromLatin1(strText);
    if (!m_pWindow)
        return;
    m_pWindow->m_pText->setText(m_strText);
    if (bRelayout)
        Relayout();
    RestartAnimation();
}

void CProgressPopup::SetLimit(unsigned nLimit)
{
    m_nLimit = nLimit;
    if (!m_pWindow)
        return;
    m_nLastWidth = 0;
    DrawBar(true);
}

void CProgressPopup::EnableCancel(bool bEnable)
{
    if (!m_pWindow)
        m_bCancelEnabled = bEnable;
}

void CProgressPopup::SetCancelMessage(unsigned nMessage)
{
    m_nCancelMsg = nMessage;
}

void CProgressPopup::SetAnimationId(unsigned nAnimationId)
{
    if (!m_pWindow)
        m_nAnimationId = nAnimationId;
}

void CProgressPopup::CreatePopup()
{
    if (m_pWindow)
        return;
    m_pWindow = new CWindow(*this, m_pOwner);
    m_pWindow->setFont(PopupFont());
    m_pWindow->setWindowTitle(m_strCaption);
    m_pWindow->m_pText->setText(m_strText);
    Relayout();
    ResetBar();
    m_pWindow->show();
    RestartAnimation();
    // The keyboard goes to Cancel at once: Escape or Enter cancels.
    if (m_pWindow->m_pCancel) {
        m_pWindow->activateWindow();
        m_pWindow->m_pCancel->setFocus();
    }
}

void CProgressPopup::ClosePopup()
{
    if (!m_pWindow)
        return;
    // A new window needs its animation set again, as the download does.
    m_nAnimationId = 0;
    delete m_pWindow.data();
}

void CProgressPopup::ResetBar()
{
    m_nPos = 0;
    m_nLastWidth = 0;
    ShowBarPosition(true);
}

void CProgressPopup::Advance(unsigned nStep)
{
    m_nPos = static_cast<unsigned>(
        std::min<unsigned long long>(static_cast<unsigned long long>(m_nPos) + nStep, m_nLimit));
    DrawBar(false);
}

unsigned CProgressPopup::CurrentFilledWidth() const
{
    return FilledBarWidth(m_nPos, m_nLimit, static_cast<unsigned>(m_layout.m_rcBar.width()));
}

void CProgressPopup::OnCancel()
{
    if (m_bCancelEnabled && m_pOwner && m_nCancelMsg != 0 && m_postToOwner)
        m_postToOwner(m_nCancelMsg);
}

void CProgressPopup::Relayout()
{
    CWindow& window = *m_pWindow;
    PopupMetrics metrics;
    const QMargins frame = FrameMargins();
    metrics.m_nClientWidth = m_nWidth - frame.left() - frame.right();
    metrics.m_bCancelEnabled = m_bCancelEnabled;

    const QString strClip =
        m_nAnimationId ? AfxGetResourceHandle().AnimationPath(static_cast<int>(m_nAnimationId))
                       : QString();
    if (!strClip.isEmpty()) {
        if (!window.m_pAnimation) {
            window.m_pAnimation = new QLabel(&window);
            window.m_pMovie = new QMovie(window.m_pAnimation);
            window.m_pAnimation->setMovie(window.m_pMovie);
        }
        window.m_pMovie->stop();
        window.m_pMovie->setFileName(strClip);
        window.m_pMovie->jumpToFrame(0);
        const QSize clip = window.m_pMovie->currentImage().deviceIndependentSize().toSize();
        window.m_pAnimation->setGeometry(QRect(QPoint(8, 8), clip));
        window.m_pAnimation->show();
        metrics.m_nAnimationHeight = clip.height();
    } else if (window.m_pAnimation) {
        delete window.m_pAnimation;
        window.m_pAnimation = nullptr;
        window.m_pMovie = nullptr;
    }

    const QFontMetrics font(window.font());
    metrics.m_nTextHeight =
        font.boundingRect(QRect(0, 0, PopupTextWidth(metrics.m_nClientWidth), 0), Qt::TextWordWrap,
                          m_strText)
            .height();
    // Cancel and the bar are sized by the caption's extent in the popup's font.
    metrics.m_nCancelWidth = font.horizontalAdvance(CancelText());
    metrics.m_nCancelHeight = font.height();
    m_layout = ComputePopupLayout(metrics);
    window.m_pText->setGeometry(m_layout.m_rcText);
    window.m_pBar->Place(m_layout.m_rcBar);

    if (m_bCancelEnabled) {
        if (!window.m_pCancel) {
            window.m_pCancel = new QPushButton(&window);
            window.m_pCancel->setDefault(true);
            QObject::connect(window.m_pCancel, &QPushButton::clicked, &window,
                             [this] { OnCancel(); });
        }
        window.m_pCancel->setText(CancelText());
        window.m_pCancel->setGeometry(m_layout.m_rcButton);
        window.m_pCancel->show();
    } else if (window.m_pCancel) {
        delete window.m_pCancel;
        window.m_pCancel = nullptr;
    }
    PlaceWindow();
}

// The window is m_nWidth wide with its frame. A visible one keeps its centre;
// a new one is centred over its owner's client area, or the screen.
void CProgressPopup::PlaceWindow()
{
    CWindow& window = *m_pWindow;
    const QMargins frame = FrameMargins();
    const QSize client(m_nWidth - frame.left() - frame.right(), m_layout.m_nClientHeight);
    QRect target(QPoint(0, 0), client.grownBy(frame));
    if (window.isVisible()) {
        target.moveCenter(window.frameGeometry().center());
    } else if (m_pOwner) {
        target.moveCenter(QRect(m_pOwner->mapToGlobal(QPoint(0, 0)), m_pOwner->size()).center());
    } else if (const QScreen* pScreen = QGuiApplication::primaryScreen()) {
        target.moveCenter(pScreen->availableGeometry().center());
    }
    window.setFixedSize(client);
    // A window's position is its frame's.
    window.move(target.topLeft());
    window.update();
}

// The window frame the window system draws around the popup: the popup's own
// once it shows, before that the owner's, which the same system frames.
QMargins CProgressPopup::FrameMargins() const
{
    const QWidget* const apWindows[] = {m_pWindow.data(), m_pOwner ? m_pOwner->window() : nullptr};
    for (const QWidget* pWindow : apWindows) {
        if (!pWindow || !pWindow->isVisible())
            continue;
        const QRect outer = pWindow->frameGeometry();
        const QRect inner = pWindow->geometry();
        if (outer != inner)
            return {inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    }
    return {};
}

QString CProgressPopup::CancelText()
{
    const QString strText = LoadResString(IDS_POPUP_CANCEL);
    return strText.isEmpty() ? QString::fromLatin1(kCancelText) : strText;
}

// Height 12 and weight 300 in the face the tester's first program used,
// or the system's sans-serif face where that is missing.
QFont CProgressPopup::PopupFont()
{
    QFont font(QStringLiteral("Gulim"));
    font.setFamilies(
        {QStringLiteral("Gulim"), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixels);
    font.setWeight(QFont::Light);
    return font;
}

void CProgressPopup::RestartAnimation()
{
    if (m_pWindow && m_pWindow->m_pMovie) {
        m_pWindow->m_pMovie->stop();
        m_pWindow->m_pMovie->start();
    }
}

void CProgressPopup::DrawBar(bool bForce)
{
    if (!m_pWindow)
        return;
    if (m_nPos == 0) {
        m_nLastWidth = 0;
        ShowBarPosition(true);
        return;
    }
    const unsigned nWidth = CurrentFilledWidth();
    // Only a change of the filled pixels repaints, so frequent steps do not flicker.
    const bool bRepaint = nWidth != 0 && (nWidth != m_nLastWidth || bForce);
    if (bRepaint)
        m_nLastWidth = nWidth;
    ShowBarPosition(bRepaint);
}

// The bar paints the position it holds, and assistive technology hears of
// every change.
void CProgressPopup::ShowBarPosition(bool bRepaint)
{
    if (!m_pWindow)
        return;
    constexpr unsigned kMaxValue = std::numeric_limits<int>::max();
    m_pWindow->m_pBar->setRange(0, static_cast<int>(std::min(m_nLimit, kMaxValue)));
    m_pWindow->m_pBar->setValue(static_cast<int>(std::min(m_nPos, kMaxValue)));
    if (bRepaint)
        m_pWindow->m_pBar->update();
}
