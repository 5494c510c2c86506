// The download popup: stored settings while no window exists, the bar's
// arithmetic, and Cancel posting its message to the owner.

#include "app/popuplayout.h"
#include "app/progresspopupwnd.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class ProgressPopupTest : public testing::Test
{
protected:
    ProgressPopupTest()
    {
        m_popup.SetOwner(&m_owner, [this](unsigned nMessage) { m_anPosted.push_back(nMessage); });
        m_owner.resize(640, 480);
        m_owner.show();
    }

    QWidget m_owner;
    CProgressPopup m_popup;
    std::vector<unsigned> m_anPosted;
};

TEST_F(ProgressPopupTest, EverythingIsStoredWhileNoWindowExists)
{
    m_popup.SetPopupWidth(300);
    m_popup.SetCaption("Connecting");
    m_popup.SetMessage("Waiting", true);
    m_popup.SetLimit(20);
    m_popup.Advance(3);
    EXPECT_EQ(m_popup.Window(), nullptr);
    EXPECT_EQ(m_popup.Position(), 3u);
    m_popup.EnableCancel(true);
    m_popup.CreatePopup();
    ASSERT_NE(m_popup.Window(), nullptr);
    EXPECT_EQ(m_popup.Window()->windowTitle(), "Connecting");
    EXPECT_EQ(m_popup.Position(), 0u); // a new window starts with an empty bar
    EXPECT_EQ(m_popup.Window()->frameGeometry().width(), 300);
    EXPECT_NE(m_popup.CancelButton(), nullptr);
    m_popup.ClosePopup();
    EXPECT_EQ(m_popup.Window(), nullptr);
}

TEST_F(ProgressPopupTest, AdvanceStopsAtTheLimitAndResetStartsAgain)
{
    m_popup.SetLimit(20);
    m_popup.CreatePopup();
    m_popup.Advance(7);
    const auto nFull = static_cast<unsigned>(m_popup.Layout().m_rcBar.width());
    EXPECT_EQ(m_popup.LastFilledWidth(), FilledBarWidth(7, 20, nFull));
    m_popup.Advance(100);
    EXPECT_EQ(m_popup.Position(), 20u);
    EXPECT_EQ(m_popup.LastFilledWidth(), nFull);
    m_popup.ResetBar();
    m_popup.Advance(1);
    EXPECT_EQ(m_popup.Position(), 1u);
}

TEST_F(ProgressPopupTest, CancelAndAnimationChangesWaitForTheNextWindow)
{
    m_popup.CreatePopup();
    EXPECT_EQ(m_popup.CancelButton(), nullptr);
    const int nHeightWithout = m_popup.Window()->height();
    m_popup.EnableCancel(true);
    m_popup.SetMessage("longer text", true);
    EXPECT_EQ(m_popup.CancelButton(), nullptr);
    m_popup.ClosePopup();
    // Ignored while the window existed: the next window has none either.
    m_popup.CreatePopup();
    EXPECT_EQ(m_popup.CancelButton(), nullptr);
    m_popup.ClosePopup();
    m_popup.EnableCancel(true);
    m_popup.CreatePopup();
    ASSERT_NE(m_popup.CancelButton(), nullptr);
    EXPECT_EQ(m_popup.Window()->height() - nHeightWithout,
              m_popup.Layout().m_rcButton.height() + 7);
}

TEST_F(ProgressPopupTest, CancelPostsItsMessageEachTimeOnlyWhenEnabledAndSet)
{
    m_popup.EnableCancel(true);
    m_popup.CreatePopup();
    QTest::mouseClick(m_popup.CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(m_anPosted.empty()); // no message set yet
    m_popup.SetCancelMessage(9999);
    QTest::mouseClick(m_popup.CancelButton(), Qt::LeftButton);
    QTest::keyClick(m_popup.Window(), Qt::Key_Escape);
    EXPECT_EQ(m_anPosted, (std::vector<unsigned>{9999, 9999}));
}

TEST_F(ProgressPopupTest, CannotBeClosedFromItsCaption)
{
    m_popup.CreatePopup();
    EXPECT_FALSE(m_popup.Window()->close());
    EXPECT_NE(m_popup.Window(), nullptr);
    EXPECT_TRUE(m_popup.Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(m_popup.Window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

// The popup's own font, 12 pixels high and light, sizes Cancel and the bar
// by the caption's extent; a longer message laid out again while the popup
// shows keeps it where it stands.
TEST_F(ProgressPopupTest, ItsFontSizesCancelAndARelayoutKeepsItsCentre)
{
    m_popup.SetPopupWidth(300);
    m_popup.EnableCancel(true);
    m_popup.SetMessage("Waiting", false);
    m_popup.CreatePopup();
    QWidget* pWindow = m_popup.Window();
    ASSERT_NE(pWindow, nullptr);
    EXPECT_EQ(pWindow->font().pixelSize(), CProgressPopup::kFontPixels);
    EXPECT_EQ(pWindow->font().weight(), QFont::Light);
    EXPECT_EQ(m_popup.CancelButton()->font(), pWindow->font());
    const QFontMetrics metrics(pWindow->font());
    const int nCaption = metrics.horizontalAdvance(CProgressPopup::CancelText());
    // Centred: half the odd pixel may go either side; the edges are included.
    EXPECT_NEAR(m_popup.Layout().m_rcButton.width(), nCaption + 17, 1);
    EXPECT_EQ(m_popup.Layout().m_rcBar.height(), metrics.height() + 1);
    // 300 wide with the window system's frame.
    EXPECT_EQ(pWindow->frameGeometry().width(), 300);

    const QPoint centre = pWindow->frameGeometry().center();
    m_popup.SetMessage(std::string(400, 'x') + " a message that takes several lines", true);
    EXPECT_GT(pWindow->height(), 2 * metrics.height());
    EXPECT_LE((pWindow->frameGeometry().center() - centre).manhattanLength(), 1);
    m_popup.SetPopupWidth(300); // F5 while the popup shows lays it out again
    EXPECT_LE((pWindow->frameGeometry().center() - centre).manhattanLength(), 1);
}

} // namespace
