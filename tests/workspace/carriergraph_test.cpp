// The carrier graph window: what it plots from a record, the text it copies,
// the file name it proposes, zooming, the read-out under the mouse, its
// context menu, saving the picture, and closing it.

#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "simulator/sampleset.h"
#include "workspace/carriergraphdlg.h"

#include <QAction>
#include <QApplication>
#include <QAreaSeries>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QImage>
#include <QLineSeries>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

// Failure messages show ranges as [min, max] and texts as text.
void PrintTo(const GraphRange& range, std::ostream* pStream)
{
    *pStream << "[" << range.m_dMin << ", " << range.m_dMax << "]";
}

void PrintTo(const QString& strText, std::ostream* pStream)
{
    *pStream << '"' << strText.toStdString() << '"';
}

namespace {

constexpr int kWait = 5000; // ms, for windows to come up on a loaded machine
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const GraphRange kAllCarriers{0.0, 255.0};

QString DlgText(int nControl)
{
    return AfxGetResourceHandle().DialogText(IDD_CARRIER_GRAPH, nControl);
}

TestRecord SampleAdsl()
{
    TestRecord record = BuiltInSampleSet()[1];
    record.ParseAll();
    return record;
}

// ---- what is plotted, copied and proposed ----

TEST(CarrierData, PointsComeFromTheGraphTextOverWhatTheRecordHeld)
{
    std::string full = "Y";
    for (int k = 0; k < 256; ++k)
        full += ":" + QString::number(3 * k + 1, 16).toStdString();
    const struct
    {
        const char* name;
        std::string raw;
        int staleValue; // what every graph value held before the text came
        std::vector<std::pair<int, double>> expected; // carrier, y
    } cases[] = {
        {"all carriers, first at x 0", full, 0, {{0, 1}, {1, 4}, {128, 385}, {255, 766}}},
        {"short text on a fresh record", "Y:a:b", 0, {{0, 10}, {1, 11}, {2, 0}, {255, 0}}},
        {"short text on a used record", "Y:a:b", 7, {{0, 10}, {1, 11}, {2, 7}, {255, 7}}},
        {"-1 is the largest 32-bit value",
         "Y:ffffffff:80000000",
         0,
         {{0, 4294967295.0}, {1, 2147483648.0}}},
    };
    for (const auto& c : cases) {
        TestRecord record;
        record.m_Graph.m_anValue.fill(c.staleValue);
        record.m_Graph.m_strRaw = c.raw;
        record.m_Graph.ParseGraph();
        const QList<QPointF> points = CarrierPoints(CarriersOf(record));
        ASSERT_EQ(points.size(), 256) << c.name;
        for (int k = 0; k < 256; ++k)
            ASSERT_EQ(points[k].x(), k) << c.name;
        for (const auto& [carrier, y] : c.expected)
            EXPECT_EQ(points[carrier].y(), y) << c.name << ", carrier " << carrier;
    }
}

TEST(CarrierData, ValuesTextHasAHeadingAndOneLinePerCarrier)
{
    CarrierArray carriers{};
    carriers[0] = 9;
    carriers[200] = -1;
    const QStringList lines = CarrierValuesText(carriers, "Carrier\tValue").split(u'\n');
    ASSERT_EQ(lines.size(), 258); // heading, 256 carriers, nothing after the last newline
    EXPECT_EQ(lines[0], "Carrier\tValue");
    EXPECT_EQ(lines[1], "0\t9");
    EXPECT_EQ(lines[201], "200\t4294967295");
    EXPECT_EQ(lines[256], "255\t0");
    EXPECT_EQ(lines[257], "");
    EXPECT_TRUE(CarrierValuesText(carriers, QString()).startsWith("0\t9\n"));
}

TEST(CarrierData, ReadoutNamesTheNearestCarrierAndItsPlottedValue)
{
    CarrierArray carriers{};
    carriers[0] = 3;
    carriers[128] = -1;
    carriers[255] = 12;
    const struct
    {
        double x;
        QString strTemplate;
        QString expected;
    } cases[] = {
        {0.0, "Carrier %1: %2", "Carrier 0: 3"},
        {-0.4, "Carrier %1: %2", "Carrier 0: 3"},
        {127.5, "Carrier %1: %2", "Carrier 128: 4294967295"},
        {255.49, "Träger %1 = %2", "Träger 255 = 12"},
        // a pack without a usable template still shows the numbers
        {255.0, "", "255: 12"},
        {255.0, "Carrier %1", "255: 12"},
        // beyond half a carrier outside there is no carrier
        {-0.6, "Carrier %1: %2", ""},
        {255.5, "Carrier %1: %2", ""},
        {kNaN, "Carrier %1: %2", ""},
        {kInf, "Carrier %1: %2", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CarrierReadout(c.strTemplate, carriers, CarrierAt(c.x).value_or(-1)), c.expected)
            << c.x;
}

TEST(CarrierData, ImageFileNameIsSafeForAnyUserInformation)
{
    const struct
    {
        QString base;
        std::string userInfo;
        QString expected;
    } cases[] = {
        {"Carrier Graph", "", "Carrier Graph.png"},
        {"Carrier Graph", "Line 12 (B)", "Carrier Graph - Line 12 (B).png"},
        {"Carrier Graph", "../../etc/passwd", "Carrier Graph - _.._etc_passwd.png"},
        {"Carrier Graph", "a\\b:c*d?\"e\"<f>|\t", "Carrier Graph - a_b_c_d__e__f___.png"},
        {"Carrier Graph", "M\xfcller", "Carrier Graph - M\u00fcller.png"},
        {"", "...hidden", "hidden.png"},
        {"", "", "carriers.png"},
        {"Carrier Graph", std::string(200, 'x'), "Carrier Graph - " + QString(64, u'x') + ".png"},
    };
    for (const auto& c : cases) {
        TestRecord record;
        record.m_RateFrame.m_strUserInfo = c.userInfo;
        EXPECT_EQ(CarrierImageFileName(c.base, record), c.expected) << c.userInfo;
    }
}

// ---- zoom arithmetic ----

TEST(GraphZoom, RangesStayInsideTheFullRangeAndAboveTheSmallestSpan)
{
    using Step = std::function<void(CGraphZoom&)>;
    const auto zoomX = [](double factor, double center) {
        return Step([=](CGraphZoom& z) { z.ZoomX(factor, center); });
    };
    const auto zoomTo = [](GraphRange x, GraphRange y) {
        return Step([=](CGraphZoom& z) { z.ZoomTo(x, y); });
    };
    const auto then = [](Step first, Step second) {
        return Step([=](CGraphZoom& z) {
            first(z);
            second(z);
        });
    };
    const auto times = [](int n, Step step) {
        return Step([=](CGraphZoom& z) {
            for (int i = 0; i < n; ++i)
                step(z);
        });
    };
    const struct
    {
        const char* name;
        Step step;
        GraphRange x;
        GraphRange y;
    } cases[] = {
        {"wheel keeps the point under the mouse", zoomX(0.5, 100), {50, 177.5}, {0, 16}},
        {"a centre outside the view is its edge",
         then(zoomX(0.5, 100), zoomX(0.5, 10)),
         {50, 113.75},
         {0, 16}},
        {"zooming in stops at the smallest span", times(50, zoomX(0.5, 255)), {247, 255}, {0, 16}},
        {"zooming out stops at all",
         then(zoomTo({10, 20}, {0, 16}), times(50, zoomX(3, 15))),
         kAllCarriers,
         {0, 16}},
        {"collapsing factors are refused", zoomX(0, 5), kAllCarriers, {0, 16}},
        {"negative factors are refused", zoomX(-1, 5), kAllCarriers, {0, 16}},
        {"no centre is refused", zoomX(0.5, kNaN), kAllCarriers, {0, 16}},
        {"corners in any order", zoomTo({200, 100}, {12, 3}), {100, 200}, {3, 12}},
        {"beyond the left slides in", zoomTo({-20, 30}, {0, 16}), {0, 50}, {0, 16}},
        {"beyond the right slides in", zoomTo({230, 300}, {10, 20}), {185, 255}, {6, 16}},
        {"wider than all shows all", zoomTo({-10, 400}, {-1, 17}), kAllCarriers, {0, 16}},
        {"too narrow grows around its middle",
         zoomTo({100, 101}, {4, 4}),
         {96.5, 104.5},
         {1.5, 6.5}},
        {"narrow at an edge grows inside", zoomTo({0, 1}, {16, 16}), {0, 8}, {11, 16}},
        {"not a number shows all", zoomTo({kNaN, 5}, {0, kInf}), kAllCarriers, {0, 16}},
    };
    for (const auto& c : cases) {
        CGraphZoom zoom(kAllCarriers, {0.0, 16.0}, 8.0, 5.0);
        c.step(zoom);
        EXPECT_EQ(zoom.X(), c.x) << c.name;
        EXPECT_EQ(zoom.Y(), c.y) << c.name;
        EXPECT_EQ(zoom.IsZoomed(), c.x != kAllCarriers || c.y != (GraphRange{0, 16})) << c.name;
        zoom.Reset();
        EXPECT_FALSE(zoom.IsZoomed()) << c.name;
    }
    // A smallest span wider than the axis is the axis itself.
    CGraphZoom flat(kAllCarriers, {0.0, 1.0}, 8.0, 5.0);
    flat.ZoomTo({10, 20}, {0.2, 0.4});
    EXPECT_EQ(flat.Y(), (GraphRange{0.0, 1.0}));
}

TEST(GraphZoom, TicksAndAxisTopsAreRound)
{
    const struct
    {
        double span;
        int maxTicks;
        double interval;
        double ceiling;
    } cases[] = {
        {255, 8, 50, 300}, {15.75, 8, 2, 16},   {15, 6, 5, 15},
        {10, 10, 1, 10},   {0.3, 6, 0.05, 0.3}, {4294967295.0, 6, 1e9, 5e9},
        {0, 6, 1, 1},      {-5, 6, 1, 1},       {kNaN, 6, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(NiceTickInterval(c.span, c.maxTicks), c.interval) << c.span;
        EXPECT_DOUBLE_EQ(NiceCeiling(c.span, c.maxTicks), c.ceiling) << c.span;
    }
}

// ---- the window ----

class CarrierGraphWindow : public testing::Test
{
protected:
    void SetUp() override { m_dialog.SetRecord(m_record); }

    // Shown, active and laid out, so positions on the chart mean something.
    void ShowLaidOut()
    {
        m_dialog.show();
        QApplication::setActiveWindow(&m_dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
        ASSERT_TRUE(QTest::qWaitFor([this] { return Chart()->plotArea().width() > 100; }, kWait));
    }

    QChart* Chart() { return m_dialog.Graph().chart(); }
    QWidget* Viewport() { return m_dialog.Graph().viewport(); }
    GraphRange AxisX() { return {Graph().AxisX()->min(), Graph().AxisX()->max()}; }
    GraphRange AxisY() { return {Graph().AxisY()->min(), Graph().AxisY()->max()}; }
    CCarrierChartView& Graph() { return m_dialog.Graph(); }

    // Where a chart value lies on the viewport.
    QPoint ViewportPos(QPointF value)
    {
        const QPointF inChart = Chart()->mapToPosition(value, Graph().Area());
        return Graph().mapFromScene(Chart()->mapToScene(inChart));
    }

    QString ReadoutOf(int nCarrier)
    {
        return CarrierReadout(DlgText(CCarrierGraphDlg::kReadout), m_dialog.Carriers(), nCarrier);
    }

    const TestRecord m_record = SampleAdsl();
    CCarrierGraphDlg m_dialog;
};

TEST_F(CarrierGraphWindow, PlotsTheRecordOnWhiteInAnyTheme)
{
    EXPECT_EQ(m_dialog.Carriers(), CarriersOf(m_record));
    EXPECT_EQ(Graph().Curve()->points(), CarrierPoints(CarriersOf(m_record)));
    EXPECT_EQ(Graph().Area()->upperSeries(), Graph().Curve());
    EXPECT_EQ(Graph().Area()->name(), DlgText(CCarrierGraphDlg::kCurveLabel));
    EXPECT_FALSE(Graph().Area()->pointsVisible());
    EXPECT_FALSE(Chart()->legend()->isVisible());
    EXPECT_EQ(m_dialog.windowTitle(), DlgText(CCarrierGraphDlg::kCaption));
    EXPECT_EQ(AxisX(), kAllCarriers);
    EXPECT_GT(AxisY().m_dMax, HighestCarrierValue(m_dialog.Carriers()));

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    m_dialog.setPalette(dark);
    EXPECT_EQ(Chart()->plotAreaBackgroundBrush().color(), QColor(Qt::white));
    EXPECT_TRUE(Chart()->isPlotAreaBackgroundVisible());
    EXPECT_EQ(Chart()->backgroundBrush().color(), QColor(40, 40, 40));
    EXPECT_EQ(Graph().AxisX()->labelsColor(), QColor(230, 230, 230));
    EXPECT_EQ(Graph().AxisY()->labelsColor(), QColor(230, 230, 230));
}

TEST_F(CarrierGraphWindow, ANewRecordReplacesTheSnapshotAndShowsAll)
{
    Graph().ZoomIn();
    TestRecord huge;
    huge.m_Graph.m_strRaw = "Y:ffffffff";
    huge.m_Graph.ParseGraph();
    m_dialog.SetRecord(huge); // must not lay out billions of ticks on the way
    EXPECT_EQ(Graph().Curve()->points().constFirst().y(), 4294967295.0);
    EXPECT_GE(AxisY().m_dMax, 4294967295.0);
    EXPECT_FALSE(Graph().Zoom().IsZoomed());
    m_dialog.SetRecord(TestRecord{});
    EXPECT_EQ(AxisY(), (GraphRange{0, 1}));
}

TEST_F(CarrierGraphWindow, KeysZoomAndResetRestoresTheFullRange)
{
    ShowLaidOut();
    for (const Qt::Key reset : {Qt::Key_0, Qt::Key_Home}) {
        QTest::keyClick(&m_dialog, Qt::Key_Plus);
        QTest::keyClick(&m_dialog, Qt::Key_Plus);
        EXPECT_DOUBLE_EQ(AxisX().Span(), 255.0 / 4);
        QTest::keyClick(&m_dialog, Qt::Key_Minus);
        EXPECT_DOUBLE_EQ(AxisX().Span(), 255.0 / 2);
        QTest::keyClick(&m_dialog, reset);
        EXPECT_EQ(AxisX(), kAllCarriers);
    }
    Graph().ZoomTo({20, 40}, {1, 6});
    m_dialog.ContextMenu()->actions().constLast()->trigger();
    EXPECT_EQ(AxisX(), kAllCarriers);
    EXPECT_EQ(AxisY(), Graph().Zoom().FullY());
}

TEST_F(CarrierGraphWindow, WheelZoomsAroundTheMouseAndADragShowsItsRectangle)
{
    ShowLaidOut();
    const QPoint pos = ViewportPos({60.0, 1.0});
    ASSERT_EQ(Graph().CarrierUnder(pos), 60);
    QWheelEvent wheel(pos, Viewport()->mapToGlobal(pos), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
    EXPECT_NEAR(AxisX().Span(), 255.0 * 0.64, 1e-9); // two notches
    EXPECT_EQ(Graph().CarrierUnder(pos), 60);
    EXPECT_EQ(m_dialog.ReadoutText(), ReadoutOf(60));

    Graph().ResetZoom();
    const double top = AxisY().m_dMax;
    const QPoint from = ViewportPos({40.0, top * 0.75});
    const QPoint to = ViewportPos({120.0, top * 0.25});
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(Viewport(), (from + to) / 2);
    QTest::mouseMove(Viewport(), to);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, to);
    // Within a pixel's worth of chart values of the dragged corners.
    EXPECT_NEAR(AxisX().m_dMin, 40.0, 1.0);
    EXPECT_NEAR(AxisX().m_dMax, 120.0, 1.0);
    EXPECT_NEAR(AxisY().m_dMin, top * 0.25, top / 50);
    EXPECT_NEAR(AxisY().m_dMax, top * 0.75, top / 50);

    // A click without a drag changes nothing.
    const GraphRange zoomed = AxisX();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, ViewportPos({80.0, top / 2}));
    EXPECT_EQ(AxisX(), zoomed);
}

TEST_F(CarrierGraphWindow, ReadoutFollowsTheMouse)
{
    ShowLaidOut();
    const QString hint = DlgText(CCarrierGraphDlg::kHint);
    EXPECT_EQ(m_dialog.ReadoutText(), hint);
    // The first and the last carrier own half a carrier inside the plot area.
    const std::pair<double, int> positions[] = {{0.25, 0}, {37, 37}, {112, 112}, {254.75, 255}};
    for (const auto& [x, carrier] : positions) {
        QTest::mouseMove(Viewport(), ViewportPos({x, 0.5}));
        EXPECT_EQ(m_dialog.ReadoutText(), ReadoutOf(carrier)) << x;
    }
    QTest::mouseMove(Viewport(), QPoint(1, ViewportPos({0, 1}).y())); // left of the y axis
    EXPECT_EQ(m_dialog.ReadoutText(), hint);
}

TEST_F(CarrierGraphWindow, RightClickShowsTheThreeCommandsAtTheCursor)
{
    const QList<QAction*> actions = m_dialog.ContextMenu()->actions();
    const std::pair<int, int> commands[] = {{ID_GRAPH_COPY_VALUES, IDS_GRAPH_MENU_COPY},
                                            {ID_GRAPH_SAVE_PNG, IDS_GRAPH_MENU_SAVE},
                                            {0, 0},
                                            {ID_GRAPH_RESET_ZOOM, IDS_GRAPH_MENU_RESET}};
    ASSERT_EQ(actions.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(actions[i]->isSeparator(), commands[i].first == 0) << i;
        if (commands[i].first != 0) {
            EXPECT_EQ(actions[i]->data().toInt(), commands[i].first) << i;
            EXPECT_EQ(actions[i]->text(), LoadResString(commands[i].second)) << i;
        }
    }

    ShowLaidOut();
    Graph().ZoomTo({30, 90}, {0, 10});
    const GraphRange zoomed = AxisX();
    const QPoint pos = ViewportPos({60, 5});
    const QPoint globalPos = Viewport()->mapToGlobal(pos);
    QWidget* pShown = nullptr;
    QPoint shownAt;
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, kWait))
            return;
        pShown = QApplication::activePopupWidget();
        shownAt = pShown->pos();
        QTest::keyClick(pShown, Qt::Key_Escape);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, globalPos);
    QApplication::sendEvent(Viewport(), &event);
    EXPECT_EQ(pShown, m_dialog.ContextMenu());
    EXPECT_EQ(shownAt, globalPos);
    // Dismissed, it leaves the chart as it was.
    EXPECT_EQ(AxisX(), zoomed);
    EXPECT_EQ(Graph().Curve()->points(), CarrierPoints(CarriersOf(m_record)));
}

TEST_F(CarrierGraphWindow, CopyPutsTheValuesOnTheClipboard)
{
    QGuiApplication::clipboard()->clear();
    m_dialog.ContextMenu()->actions().constFirst()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              CarrierValuesText(CarriersOf(m_record), DlgText(CCarrierGraphDlg::kValuesHeading)));
}

TEST_F(CarrierGraphWindow, SavesAReadablePngOrSaysWhyNot)
{
    ShowLaidOut();
    QTemporaryDir folder;
    const QString path = folder.filePath("graph.png");
    CMessageBoxRecorder boxes;
    ASSERT_TRUE(m_dialog.SaveImage(path));
    EXPECT_TRUE(boxes.Requests().isEmpty());
    const QImage image(path, "PNG");
    ASSERT_FALSE(image.isNull());
    const qreal ratio = Graph().devicePixelRatioF();
    EXPECT_EQ(image.size(), Graph().size() * ratio);
    // The plot area is white in the picture too (the sample starts low).
    EXPECT_EQ(image.pixelColor(ViewportPos({2.0, AxisY().m_dMax * 0.9}) * ratio),
              QColor(Qt::white));

    // Into a missing folder, onto a folder: a warning naming the file, and
    // nothing half-written left behind.
    for (const QString& bad : {folder.filePath("missing/graph.png"), folder.path()}) {
        EXPECT_FALSE(m_dialog.SaveImage(bad)) << bad.toStdString();
        ASSERT_EQ(boxes.Requests().size(), 1) << bad.toStdString();
        EXPECT_EQ(boxes.Requests()[0].m_icon, QMessageBox::Warning);
        EXPECT_TRUE(boxes.Requests()[0].m_strText.contains(QDir::toNativeSeparators(bad)));
        boxes.Clear();
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"graph.png"});
}

TEST(CarrierGraphOpening, RunsModallyOverTheFrameAndClosesWithEscapeOrEnter)
{
    QWidget frame;
    frame.show();
    const TestRecord record = SampleAdsl();
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        CarrierArray shownCarriers{};
        QString okCaption;
        int okBorder = 0;
        QWidget* pParent = nullptr;
        QTimer::singleShot(0, [&] {
            const auto modalGraph = [] {
                return qobject_cast<CCarrierGraphDlg*>(QApplication::activeModalWidget());
            };
            if (!QTest::qWaitFor([&] { return modalGraph() != nullptr; }, kWait)) {
                ADD_FAILURE() << "no carrier graph window came up";
                return;
            }
            CCarrierGraphDlg* pDialog = modalGraph();
            shownCarriers = pDialog->Carriers();
            const auto* pOk = pDialog->findChild<CGuiButton*>();
            okCaption = pOk->text();
            okBorder = pOk->StyleBorder();
            pParent = pDialog->parentWidget();
            QTest::keyClick(pDialog, key);
        });
        ShowCarrierGraph(&frame, record);
        EXPECT_EQ(shownCarriers, CarriersOf(record)) << key;
        EXPECT_EQ(okCaption, "&Ok");
        EXPECT_EQ(okBorder, 3);
        EXPECT_EQ(pParent, &frame);
    }
}

} // namespace
