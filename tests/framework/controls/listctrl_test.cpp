// The owner-drawn list: text fitting, the sort column's tint and arrow, check
// boxes, hit testing, pinned icons, column sizing and how selected rows look.

#include "framework/controls/listctrlex.h"
#include "framework/controls/listheader.h"
#include "framework/controls/listpaintrules.h"

#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(FitText, ShortensToTheLongestStartThatFitsWithDots)
{
    // Every character, dot included, is 5 pixels wide.
    const TextWidthFunction fiveEach = [](const QString& str) {
        return 5 * static_cast<int>(str.size());
    };
    const QString strSmiles = QStringLiteral("\U0001F600\U0001F600"); // two surrogate pairs
    const struct
    {
        QString strText;
        int nWidth;
        QString strFitted;
    } cases[] = {
        {"", 0, ""},
        {"Graph", 25, "Graph"}, // fits exactly
        {"Graph", 24, "G..."},
        {"Available", 40, "Avail..."},
        {"Available", 44, "Avail..."},
        {"Available", 45, "Available"},
        {"Graph", 20, "G..."},
        {"Graph", 19, "G.."}, // not even one character and "..."
        {"Graph", 15, "G.."},
        {"Graph", 14, "G."},
        {"Graph", 10, "G."},
        {"Graph", 9, "G"},
        {"Graph", 0, "G"},
        {"Graph", -3, "G"},
        {strSmiles, 20, strSmiles},
        {strSmiles, 19, QStringLiteral("\U0001F600.")}, // a character is never split
    };
    for (const auto& c : cases) {
        QString strText = c.strText;
        FitText(strText, c.nWidth, fiveEach);
        EXPECT_EQ(strText, c.strFitted) << c.strText.toStdString() << " in " << c.nWidth;
    }
}

TEST(FitText, MeasuresProportionalTexts)
{
    // A wide first letter: the start that fits is measured, not counted.
    const TextWidthFunction widths = [](const QString& str) {
        int nWidth = 0;
        for (const QChar ch : str)
            nWidth += ch == u'W' ? 12 : ch == u'.' ? 2 : 4;
        return nWidth;
    };
    const struct
    {
        int nWidth;
        const char* pszFitted;
    } cases[] = {{30, "Wiii..."}, {25, "Wi..."}, {17, "W.."}, {13, "W"}};
    for (const auto& c : cases) {
        QString strText = QStringLiteral("Wiiiiii");
        FitText(strText, c.nWidth, widths);
        EXPECT_EQ(strText, QString::fromLatin1(c.pszFitted)) << "width " << c.nWidth;
    }
}

TEST(SortColumnTint, LightensOrDarkensTheBackground)
{
    const struct
    {
        QColor background;
        QColor tint;
    } cases[] = {
        {QColor(255, 255, 255), QColor(247, 247, 247)},
        {QColor(200, 100, 0), QColor(220, 110, 0)},
        {QColor(235, 120, 60), QColor(255, 132, 66)},
        {QColor(241, 241, 241), QColor(233, 233, 233)},
        {QColor(240, 255, 255), QColor(255, 255, 255)}, // not all above 240: lighter
        {QColor(231, 232, 9), QColor(254, 255, 9)},
        {QColor(30, 30, 30), QColor(33, 33, 33)}, // a dark theme stays dark
        {QColor(0, 0, 0), QColor(0, 0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SortColumnTint(c.background), c.tint) << c.background.name().toStdString();
}

TEST(SortMarkColours, BlackTakesTheGreyTextColourAndWhiteGoes)
{
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 255));
    picture.setPixel(1, 0, qRgba(255, 255, 255, 255));
    picture.setPixel(2, 0, qRgba(0, 0, 0, 128)); // an anti-aliased edge
    const QImage mapped = MapSortMarkColours(picture, QColor(100, 110, 120));
    EXPECT_EQ(mapped.pixel(0, 0), qRgba(100, 110, 120, 255));
    EXPECT_EQ(qAlpha(mapped.pixel(1, 0)), 0);
    EXPECT_EQ(mapped.pixel(2, 0), qRgba(100, 110, 120, 128));
}

QIcon SolidIcon(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Colours no style would pick, so every pixel says where it came from.
QPalette TestPalette(const QColor& base)
{
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Button, QColor(190, 180, 170));
    palette.setColor(QPalette::Highlight, QColor(10, 20, 200));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

constexpr unsigned kBarStyle = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED;
constexpr unsigned kBarExStyle = LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;

// A list as the DB information bar sets it up (unless told otherwise):
// owner-drawn, full-row, headings that can be dragged, sort mark on column 0,
// tint and pinned icons; with a neighbour to take the keyboard focus away.
class ListWindow
{
public:
    explicit ListWindow(unsigned nStyle = kBarStyle, unsigned nExStyle = kBarExStyle,
                        int nColumn0Format = LVCFMT_LEFT)
        : m_images(16, 16), m_pList(new CListCtrlEx(nStyle))
    {
        m_images.Add(SolidIcon(Qt::red));   // 0: never shown
        m_images.Add(SolidIcon(Qt::green)); // 1
        auto* pLayout = new QVBoxLayout(&m_window);
        pLayout->addWidget(m_pEdit = new QLineEdit);
        pLayout->addWidget(m_pList);
        m_pList->setPalette(TestPalette(Qt::white));
        m_pList->SetExtendedStyle(nExStyle);
        m_pList->SetImageList(&m_images, LVSIL_SMALL);
        m_pList->InsertColumn(0, QStringLiteral("Item"), nColumn0Format, 90);
        m_pList->InsertColumn(1, QStringLiteral("Value"), LVCFMT_CENTER, 130);
        m_pList->SetSortMark(true, 1);
        m_pList->TintSortColumn(true);
        m_pList->PinIconsLeft(true);
        m_pList->InsertItem(0, QStringLiteral("Graph"), 1);
        m_pList->SetItemText(0, 1, QStringLiteral("Available"));
        m_window.resize(400, 200);
    }

    void Show()
    {
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    void FocusOn(QWidget* pWidget)
    {
        pWidget->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([pWidget] { return pWidget->hasFocus(); }));
    }
    QRect Rect(int nItem, int nCode) const { return *m_pList->GetItemRect(nItem, nCode); }
    QRect Cell(int nItem, int nColumn) const { return *m_pList->GetCellRect(nItem, nColumn, 0); }
    QColor Pixel(QPoint point) const
    {
        return m_pList->viewport()->grab().toImage().pixelColor(point);
    }
    // A pixel of a row's top line, where no text reaches.
    QColor RowPixel(int nItem, int x) const { return Pixel(QPoint(x, Rect(nItem, 0).top() + 1)); }
    QColor Colour(QPalette::ColorRole role) const { return m_pList->palette().color(role); }
    // With the mouse, as a user would.
    void DragColumn0ToSecond()
    {
        QWidget* pHeader = m_pList->GetHeaderCtrl()->viewport();
        const QRect column1 = Cell(0, 1);
        const int y = pHeader->height() / 2;
        QTest::mousePress(pHeader, Qt::LeftButton, {}, QPoint(Cell(0, 0).center().x(), y));
        for (int x = Cell(0, 0).center().x(); x <= column1.right() - 5; x += 10)
            QTest::mouseMove(pHeader, QPoint(x, y));
        QTest::mouseRelease(pHeader, Qt::LeftButton, {}, QPoint(column1.right() - 5, y));
        ASSERT_EQ(m_pList->ColumnOrder(0), 1);
    }
    void ClickHeading(int nColumn)
    {
        const CListHeader* pHeader = m_pList->GetHeaderCtrl();
        QTest::mouseClick(
            pHeader->viewport(), Qt::LeftButton, {},
            QPoint(pHeader->sectionViewportPosition(nColumn) + 20, pHeader->height() / 2));
    }

    CImageList m_images;
    QWidget m_window;
    QLineEdit* m_pEdit = nullptr;
    CListCtrlEx* m_pList;
};

class OwnerDrawnList : public testing::Test, protected ListWindow
{
};

TEST_F(OwnerDrawnList, HeadingClicksFlipOrMoveTheArrowAndLeaveTheRows)
{
    m_pList->InsertItem(1, QStringLiteral("Zeta"));
    m_pList->InsertItem(2, QStringLiteral("Alpha"));
    Show();
    int nFormat = 0;
    int nAscending = 0;
    ASSERT_TRUE(m_pList->GetHeaderCtrl()->GetItem(0, &nFormat, &nAscending));
    EXPECT_EQ(nFormat, HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT);

    QList<int> anSortSeenByOwner;
    QObject::connect(m_pList, &CListCtrl::columnClicked, m_pList,
                     [&](int) { anSortSeenByOwner.append(m_pList->GetSortColumn()); });
    const struct
    {
        int nClicked;
        int nSortColumn;
    } clicks[] = {{0, -1}, {0, 1}, {1, 2}, {1, -2}, {0, 1}};
    for (const auto& click : clicks) {
        ClickHeading(click.nClicked);
        EXPECT_EQ(m_pList->GetSortColumn(), click.nSortColumn) << "click on " << click.nClicked;
        for (int nColumn = 0; nColumn < 2; ++nColumn) {
            int nImage = -1;
            m_pList->GetHeaderCtrl()->GetItem(nColumn, &nFormat, &nImage);
            const bool bMarked = std::abs(click.nSortColumn) - 1 == nColumn;
            EXPECT_EQ(bool(nFormat & HDF_IMAGE), bMarked) << "column " << nColumn;
            // Alignment survives the arrow moving in and out.
            EXPECT_EQ(nFormat & HDF_JUSTIFYMASK, nColumn == 0 ? LVCFMT_LEFT : LVCFMT_CENTER);
            if (bMarked && click.nSortColumn > 0) {
                EXPECT_EQ(nImage, nAscending);
            }
        }
    }
    EXPECT_EQ(anSortSeenByOwner, QList<int>({-1, 1, 2, -2, 1}));
    EXPECT_EQ(m_pList->GetItemText(0, 0), "Graph");
    EXPECT_EQ(m_pList->GetItemText(1, 0), "Zeta");
    EXPECT_EQ(m_pList->GetItemText(2, 0), "Alpha");

    m_pList->SetSortMark(false, 1);
    m_pList->GetHeaderCtrl()->GetItem(0, &nFormat, nullptr);
    EXPECT_EQ(nFormat, HDF_STRING);
}

TEST_F(OwnerDrawnList, HitTestNamesThePartOfTheRow)
{
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_CHECKBOXES);
    Show();
    const QRect label = *m_pList->GetCellRect(0, 0, LVIR_LABEL);
    const QRect icon = *m_pList->GetCellRect(0, 0, LVIR_ICON);
    const QRect stateIcon = *m_pList->GetStateIconRect(0);
    const QRect row = Rect(0, LVIR_BOUNDS);
    const struct
    {
        QPoint point;
        int nItem;
        unsigned nFlags;
    } cases[] = {
        {label.center(), 0, LVHT_ONITEMLABEL},
        {icon.center(), 0, LVHT_ONITEMICON},
        {stateIcon.center(), 0, LVHT_ONITEMSTATEICON},
        {Cell(0, 1).center(), 0, LVHT_ONITEM},
        {QPoint(row.left() + 1, row.center().y()), 0, LVHT_ONITEM},
        {QPoint(10, row.bottom() + 30), -1, LVHT_NOWHERE},
    };
    for (const auto& c : cases) {
        unsigned nFlags = 0;
        EXPECT_EQ(m_pList->HitTest(c.point, &nFlags), c.nItem);
        EXPECT_EQ(nFlags, c.nFlags) << c.point.x() << "," << c.point.y();
    }
    // The pieces lie side by side inside column 0.
    EXPECT_LT(stateIcon.right(), icon.left());
    EXPECT_LT(icon.right(), label.left());
    EXPECT_TRUE(Cell(0, 0).contains(stateIcon));
}

TEST_F(OwnerDrawnList, PinnedIconsStayInTheFirstColumnWhenColumn0IsDragged)
{
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_CHECKBOXES);
    Show();
    const int nIconOffset = m_pList->GetCellRect(0, 0, LVIR_ICON)->left() - Cell(0, 0).left();
    DragColumn0ToSecond();

    for (const bool bPinned : {true, false}) {
        SCOPED_TRACE(bPinned ? "pinned" : "not pinned");
        ASSERT_TRUE(m_pList->PinIconsLeft(bPinned));
        const QRect holder = Cell(0, bPinned ? 1 : 0);
        const QRect icon = *m_pList->GetCellRect(0, 0, LVIR_ICON);
        const QRect stateIcon = *m_pList->GetStateIconRect(0);
        EXPECT_TRUE(holder.contains(icon));
        EXPECT_TRUE(holder.contains(stateIcon));
        EXPECT_EQ(icon.left() - holder.left(), nIconOffset);
        unsigned nFlags = 0;
        EXPECT_EQ(m_pList->HitTest(icon.center(), &nFlags), 0);
        EXPECT_EQ(nFlags, LVHT_ONITEMICON);
        // With pinned icons column 0 shows only its text: the state image is
        // not there to click.
        const QPoint column0Start(Cell(0, 0).left() + 8, icon.center().y());
        m_pList->HitTest(column0Start, &nFlags);
        EXPECT_EQ(nFlags, bPinned ? LVHT_ONITEM : LVHT_ONITEMSTATEICON);
    }
}

TEST_F(OwnerDrawnList, PinnedIconsAreDrawnInTheFirstColumn)
{
    Show();
    DragColumn0ToSecond();
    const QRect icon = *m_pList->GetCellRect(0, 0, LVIR_ICON);
    ASSERT_TRUE(Cell(0, 1).contains(icon));
    EXPECT_EQ(Pixel(icon.center()), QColor(Qt::green));
    // Column 0 is painted like any other cell: no icon where it used to be.
    const int nIconOffset = icon.left() - Cell(0, 1).left();
    EXPECT_EQ(RowPixel(0, Cell(0, 0).left() + nIconOffset + 8), m_pList->GetTintColour());
}

TEST(ListPinning, IsRefusedUnlessTheListDrawsItsOwnRows)
{
    CListCtrlEx standard(LVS_REPORT);
    EXPECT_FALSE(standard.PinIconsLeft(true));
    EXPECT_TRUE(standard.PinIconsLeft(false));
    CListCtrlEx ownerDrawn(LVS_REPORT | LVS_OWNERDRAWFIXED);
    EXPECT_TRUE(ownerDrawn.PinIconsLeft(true));
}

TEST(StandardList, TintsTheSortColumnAndShowsTheIcon)
{
    ListWindow w(LVS_REPORT | LVS_SHOWSELALWAYS);
    w.Show();
    const int nBelow = w.Rect(0, LVIR_BOUNDS).bottom() + 20;
    EXPECT_EQ(w.RowPixel(0, w.Cell(0, 0).right() - 2), w.m_pList->GetTintColour());
    EXPECT_EQ(w.Pixel(QPoint(w.Cell(0, 0).center().x(), nBelow)), w.m_pList->GetTintColour());
    EXPECT_EQ(w.RowPixel(0, w.Cell(0, 1).right() - 2), w.Colour(QPalette::Base));
    EXPECT_EQ(w.Pixel(w.Rect(0, LVIR_ICON).center()), QColor(Qt::green));
}

TEST(ListCheckBoxes, AClickOnTheStateImageTogglesOnlyWhereTheListHasCheckBoxes)
{
    CImageList stateImages(16, 16);
    stateImages.Add(SolidIcon(Qt::blue));
    stateImages.Add(SolidIcon(Qt::yellow));
    const struct
    {
        const char* pszName;
        unsigned nStyle;
        unsigned nExStyle;
        bool bToggles;
    } cases[] = {
        {"owner-drawn with check boxes", LVS_OWNERDRAWFIXED, LVS_EX_CHECKBOXES, true},
        {"owner-drawn, state images only", LVS_OWNERDRAWFIXED, 0, false},
        // A list that paints its own rows toggles its own check boxes.
        {"standard with check boxes", 0, LVS_EX_CHECKBOXES, true},
        {"standard, state images only", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        CListCtrlEx list(LVS_REPORT | c.nStyle);
        list.SetExtendedStyle(c.nExStyle);
        if (!(c.nExStyle & LVS_EX_CHECKBOXES))
            list.SetImageList(&stateImages, LVSIL_STATE);
        list.InsertColumn(0, QStringLiteral("Item"), LVCFMT_LEFT, 120);
        list.InsertItem(0, QStringLiteral("Graph"));
        list.SetItemState(0, INDEXTOSTATEIMAGEMASK(kStateImageUnchecked), LVIS_STATEIMAGEMASK);
        list.resize(200, 100);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        QSignalSpy toggled(&list, &CListCtrl::checkToggled);
        QSignalSpy doubleClicked(&list, &CListCtrl::itemDoubleClicked);

        const QRect stateIcon = *list.GetStateIconRect(0);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, stateIcon.center());
        EXPECT_EQ(list.GetCheck(0), c.bToggles);
        EXPECT_EQ(toggled.count(), c.bToggles ? 1 : 0);
        // A click on the label selects and never toggles.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.GetCellRect(0, 0, LVIR_LABEL)->center());
        EXPECT_EQ(list.GetCheck(0), c.bToggles);
        // A double click comes as press, release, press, double click,
        // release: it toggles twice and is no double click on the item.
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, stateIcon.center());
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, stateIcon.center());
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, stateIcon.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, stateIcon.center());
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, stateIcon.center());
        EXPECT_EQ(list.GetCheck(0), c.bToggles);
        if (c.bToggles) {
            EXPECT_EQ(toggled.count(), 3);
            EXPECT_EQ(doubleClicked.count(), 0);
        }
    }
}

TEST_F(OwnerDrawnList, DoubleClicksNameTheRowOrNone)
{
    Show();
    QSignalSpy doubleClicked(m_pList, &CListCtrl::itemDoubleClicked);
    QTest::mouseDClick(m_pList->viewport(), Qt::LeftButton, {}, Cell(0, 1).center());
    QTest::mouseDClick(m_pList->viewport(), Qt::LeftButton, {},
                       QPoint(20, Rect(0, LVIR_BOUNDS).bottom() + 30));
    ASSERT_EQ(doubleClicked.count(), 2);
    EXPECT_EQ(doubleClicked[0][0].toInt(), 0);
    EXPECT_EQ(doubleClicked[1][0].toInt(), -1);
}

TEST_F(OwnerDrawnList, ImageZeroShowsNoIcon)
{
    m_pList->InsertItem(1, QStringLiteral("None"), 0);
    Show();
    EXPECT_EQ(Pixel(Rect(0, LVIR_ICON).center()), QColor(Qt::green));
    // Column 0 is the tinted sort column.
    EXPECT_EQ(Pixel(Rect(1, LVIR_ICON).center()), m_pList->GetTintColour());
}

// Where a selected row's colour shows: column 1 of a full-row list.
TEST_F(OwnerDrawnList, SelectionColourDependsOnFocusAndShowSelAlways)
{
    Show();
    m_pList->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const int x = Cell(0, 1).right() - 2;

    FocusOn(m_pList);
    EXPECT_EQ(RowPixel(0, x), Colour(QPalette::Highlight));
    // The selected icon is blended with the highlight.
    const QColor icon = Pixel(Rect(0, LVIR_ICON).center());
    EXPECT_NE(icon, QColor(Qt::green));
    EXPECT_GT(icon.blue(), 50);

    FocusOn(m_pEdit);
    EXPECT_EQ(RowPixel(0, x), Colour(QPalette::Button));
    EXPECT_EQ(Pixel(Rect(0, LVIR_ICON).center()), QColor(Qt::green));
}

TEST(OwnerDrawnListPainting, ASelectedRowWithoutFocusLooksUnselectedWithoutShowSelAlways)
{
    ListWindow w(LVS_REPORT | LVS_OWNERDRAWFIXED);
    w.Show();
    w.m_pList->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    const int x = w.Cell(0, 1).right() - 2;
    w.FocusOn(w.m_pEdit);
    EXPECT_EQ(w.RowPixel(0, x), w.Colour(QPalette::Base));
    w.FocusOn(w.m_pList);
    EXPECT_EQ(w.RowPixel(0, x), w.Colour(QPalette::Highlight));
}

TEST(OwnerDrawnListPainting, WithoutFullRowTheHighlightHugsTheLabelText)
{
    for (const int nFormat : {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT}) {
        SCOPED_TRACE(nFormat);
        ListWindow w(kBarStyle, 0, nFormat);
        w.m_pList->TintSortColumn(false);
        w.m_pList->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        w.Show();
        const QColor selection = w.Colour(QPalette::Button);
        const QColor base = w.Colour(QPalette::Base);
        const int nTextWidth = w.m_pList->GetStringWidth(QStringLiteral("Graph"));
        const QRect label = *w.m_pList->GetCellRect(0, 0, LVIR_LABEL);
        const int nWidth = nFormat == LVCFMT_CENTER ? nTextWidth + 12 : nTextWidth + 8;
        const int nLeft = nFormat == LVCFMT_LEFT    ? label.left()
                          : nFormat == LVCFMT_RIGHT ? label.left() + label.width() - nWidth
                                                    : label.left() + (label.width() - nWidth) / 2;
        EXPECT_EQ(w.RowPixel(0, nLeft), selection);
        EXPECT_EQ(w.RowPixel(0, nLeft + nWidth - 1), selection);
        if (nFormat != LVCFMT_RIGHT) {
            EXPECT_EQ(w.RowPixel(0, nLeft + nWidth), base);
        }
        if (nFormat != LVCFMT_LEFT) {
            EXPECT_EQ(w.RowPixel(0, nLeft - 1), base);
        }
        // Without full-row selection the other cells stay unselected.
        EXPECT_EQ(w.RowPixel(0, w.Cell(0, 1).right() - 2), base);
    }
}

TEST_F(OwnerDrawnList, ADarkPaletteGivesADarkTintUnderAndBelowTheRows)
{
    Show();
    m_pList->setPalette(TestPalette(QColor(30, 30, 30)));
    EXPECT_EQ(m_pList->GetTintColour(), QColor(33, 33, 33));
    const int nBelow = Rect(0, LVIR_BOUNDS).bottom() + 20;
    EXPECT_EQ(Pixel(QPoint(Cell(0, 0).center().x(), nBelow)), QColor(33, 33, 33));
    EXPECT_EQ(Pixel(QPoint(Cell(0, 1).center().x(), nBelow)), QColor(30, 30, 30));
    EXPECT_EQ(RowPixel(0, Cell(0, 0).right() - 2), QColor(33, 33, 33));

    // The strip follows its column's width.
    m_pList->SetColumnWidth(0, 150);
    QApplication::processEvents();
    EXPECT_EQ(Pixel(QPoint(140, nBelow)), QColor(33, 33, 33));
    // A heading click moves the tint with the sort column.
    ClickHeading(1);
    EXPECT_EQ(Pixel(QPoint(140, nBelow)), QColor(30, 30, 30));
    EXPECT_EQ(Pixel(QPoint(Cell(0, 1).center().x(), nBelow)), QColor(33, 33, 33));
}

TEST_F(OwnerDrawnList, CtrlNumpadPlusFitsColumnsTheirOwnWayOnlyWhenColumn0IsDragged)
{
    m_pList->InsertItem(1, QStringLiteral("Carrier graph of the line"), 1);
    m_pList->SetItemText(1, 1, QStringLiteral("Not available here"));
    Show();
    const int nWidest0 = m_pList->GetStringWidth(QStringLiteral("Carrier graph of the line"));
    const int nWidest1 = m_pList->GetStringWidth(QStringLiteral("Not available here"));
    const int nLabelOffset = Rect(0, LVIR_LABEL).left() - Cell(0, 0).left();

    const auto pressCtrlNumpadPlus = [this] {
        QTest::keyPress(m_pList, Qt::Key_Control);
        QTest::keyClick(m_pList, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QTest::keyRelease(m_pList, Qt::Key_Control);
    };
    int nWidth0 = 0;
    int nWidth1 = 0;
    // In place, the list's own fitting: column 0 holds the label area.
    pressCtrlNumpadPlus();
    m_pList->GetColumn(0, nullptr, &nWidth0);
    m_pList->GetColumn(1, nullptr, &nWidth1);
    EXPECT_EQ(nWidth0, nLabelOffset + nWidest0 + 4);
    EXPECT_EQ(nWidth1, nWidest1 + 12);

    // Dragged: the first column gets the label area, column 0 only its text.
    DragColumn0ToSecond();
    m_pList->SetColumnWidth(0, 40);
    m_pList->SetColumnWidth(1, 40);
    pressCtrlNumpadPlus();
    m_pList->GetColumn(0, nullptr, &nWidth0);
    m_pList->GetColumn(1, nullptr, &nWidth1);
    EXPECT_EQ(nWidth0, nWidest0 + 12);
    EXPECT_EQ(nWidth1, nWidest1 + nLabelOffset + 8);

    // The plus alone, after Ctrl went up, is not the shortcut.
    m_pList->SetColumnWidth(1, 40);
    QTest::keyClick(m_pList, Qt::Key_Plus, Qt::KeypadModifier);
    m_pList->GetColumn(1, nullptr, &nWidth1);
    EXPECT_EQ(nWidth1, 40);
}

TEST_F(OwnerDrawnList, DividerDoubleClickFitsTheFirstColumnWhenColumn0IsDragged)
{
    Show();
    DragColumn0ToSecond();
    const CListHeader* pHeader = m_pList->GetHeaderCtrl();
    const int nLabelOffset = Rect(0, LVIR_LABEL).left() - Cell(0, 0).left();
    const int nDivider = pHeader->sectionViewportPosition(1) + pHeader->sectionSize(1) - 1;
    QTest::mouseDClick(pHeader->viewport(), Qt::LeftButton, {},
                       QPoint(nDivider, pHeader->height() / 2));
    int nWidth1 = 0;
    m_pList->GetColumn(1, nullptr, &nWidth1);
    EXPECT_EQ(nWidth1, m_pList->GetStringWidth(QStringLiteral("Available")) + nLabelOffset + 8);
}

TEST(ListCtrlEx, InsertsPastTheEndAndRefusesWhatIsOutsideItsItems)
{
    CListCtrlEx list(LVS_REPORT | LVS_OWNERDRAWFIXED);
    EXPECT_TRUE(list.PinIconsLeft(true));
    list.InsertColumn(0, QStringLiteral("Item"), LVCFMT_LEFT, 90);
    EXPECT_EQ(list.InsertItem(5, QStringLiteral("Graph"), 28), 0); // past the end appends
    EXPECT_EQ(list.GetItemImage(0), 28);
    EXPECT_EQ(list.InsertItem(-1, QStringLiteral("x")), -1);
    EXPECT_FALSE(list.SetItemText(0, 1, QStringLiteral("no such column")));
    EXPECT_EQ(list.GetItemText(3, 0), QString());
}

} // namespace
