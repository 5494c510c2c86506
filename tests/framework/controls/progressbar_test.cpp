// The status-bar progress indicator: it sits in the message pane behind its
// message while it lives, and gives the pane its text back when it goes.

#include "framework/controls/progressbar.h"
#include "framework/guimdiframe.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

constexpr int kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL};

class StatusProgress : public testing::Test
{
protected:
    StatusProgress()
    {
        m_frame.InitStatusBar(kIndicators, 4);
        m_frame.resize(800, 600);
        m_frame.show();
    }

    CGuiMDIFrame m_frame;
};

TEST_F(StatusProgress, AMissingPaneCreatesNothing)
{
    m_frame.MessagePane()->setText("x");
    CGuiMDIFrame* pFrame = AfxGetMainWnd();
    ASSERT_EQ(pFrame, &m_frame);
    CProgressBar bar;
    EXPECT_FALSE(bar.Create("Working", 30, 20, false, 9)); // no such pane
    EXPECT_FALSE(bar.IsCreated());
    bar.StepIt(); // harmless
}

TEST_F(StatusProgress, StepsShowsItsMessageAndRestoresReady)
{
    m_frame.MessagePane()->setText("Something else");
    {
        CProgressBar bar("Data Loading..", 30, 20, false, 0);
        ASSERT_TRUE(bar.IsCreated());
        for (int i = 0; i < 7; ++i)
            bar.StepIt();
        EXPECT_EQ(bar.value(), 7);
        EXPECT_EQ(bar.maximum(), 20);
        EXPECT_EQ(m_frame.MessagePane()->text(), "Data Loading..");
        EXPECT_TRUE(bar.isVisible());
        // Behind the message, 30 % of the rest.
        EXPECT_GT(bar.geometry().left(), m_frame.MessagePane()->geometry().left());
        EXPECT_LT(bar.geometry().right(), m_frame.MessagePane()->geometry().right());
    }
    EXPECT_EQ(m_frame.MessagePane()->text(), LoadResString(AFX_IDS_IDLEMESSAGE));
}

TEST_F(StatusProgress, FollowsThePaneWhenTheWindowResizes)
{
    CProgressBar bar("Data Loading..", 100, 20, false, 0);
    const QRect before = bar.geometry();
    m_frame.resize(1000, 600);
    QCoreApplication::processEvents();
    EXPECT_GT(bar.geometry().width(), before.width());
}

} // namespace
