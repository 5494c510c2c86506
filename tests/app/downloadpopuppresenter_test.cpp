// The download popup as the download's events drive it: the texts of the
// resource pack, the bar's limit and position, and the stall notice that
// gives way to the last message when the tester sends again.

#include "app/downloadpopuppresenter.h"
#include "app/progresspopupwnd.h"
#include "framework/langpack.h"
#include "link/downloadhost.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

namespace E = DownloadEvent;

QString PackText(int nStringId)
{
    return LoadResString(nStringId);
}

class DownloadPopupPresenterTest : public testing::Test
{
protected:
    DownloadPopupPresenterTest()
    {
        m_popup.SetOwner(&m_owner, [](unsigned) {});
        m_owner.resize(640, 480);
        m_owner.show();
    }

    QWidget m_owner;
    CProgressPopup m_popup;
    CDownloadPopupPresenter m_presenter{m_popup};
};

TEST_F(DownloadPopupPresenterTest, EachStageOfADownloadShowsItsTextAndBar)
{
    struct Step
    {
        const char* pszName;
        AnyDownloadEvent event;
        QString strMessage;
        unsigned nLimit;
        unsigned nPosition;
    };
    const QString strWaiting = PackText(IDS_PROMPT_WAIT_MESSAGE) + QString(19, QLatin1Char(' '));
    const QString strAnswered = PackText(IDS_TRANSFER_MESSAGE);
    const QString strDb7 = QStringLiteral("RATE/FRAME DATA = 7 / 20");
    const QString strStalled = PackText(IDS_TRANSFER_STALLED);
    const Step steps[] = {
        {"the wait begins", E::WaitingForPrompt{50}, strWaiting, 50, 0},
        {"a tick", E::PromptWaitTick{}, strWaiting, 50, 1},
        {"the tester answers", E::TesterAnswered{20}, strAnswered, 20, 0},
        {"a section starts", E::SectionStarted{DownloadSection::RateFrame}, strAnswered, 20, 0},
        {"a DB arrives", E::DbReceived{DownloadSection::RateFrame, 7}, strDb7, 20, 1},
        {"the tester stalls", E::TransferStalled{}, strStalled, 20, 1},
        {"and sends again", E::TransferResumed{}, strDb7, 20, 1},
        {"the next section", E::SectionStarted{DownloadSection::Graph}, strDb7, 20, 0},
        {"no progress: a failure", E::Failed{DownloadOutcome::DeviceLost}, strDb7, 20, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszName);
        m_presenter.Show(step.event);
        ASSERT_NE(m_popup.Window(), nullptr);
        EXPECT_EQ(m_popup.Message(), step.strMessage);
        EXPECT_EQ(m_popup.Limit(), step.nLimit);
        EXPECT_EQ(m_popup.Position(), step.nPosition);
    }
    EXPECT_EQ(m_popup.Window()->frameGeometry().width(), 300);
    m_presenter.Show(E::ProgressEnded{});
    EXPECT_EQ(m_popup.Window(), nullptr);
}

} // namespace
