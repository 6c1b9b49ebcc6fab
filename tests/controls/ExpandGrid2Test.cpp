#include <QPushButton>
#include <QTest>

#include "GridFixture.h"
#include "controls/ExpandTab.h"
#include "platform/runtime/VariantArray.h"

namespace {

constexpr long Highlight = 0xD2BDB6;
constexpr long White = 0xFFFFFF;
constexpr long Black = 0x000000;

using ExpandGrid2Test = GridFixture;

TEST_F(ExpandGrid2Test, PagesCaptionAndPageMembers) {
    build(30, {16, 16});
    EXPECT_EQ(grid_.PageMax(), 3);
    EXPECT_EQ(grid_.Page(), 1);
    EXPECT_EQ(scroll_->maximum(), 20);
    EXPECT_TRUE(scroll_->isEnabled());

    grid_.PageSkip(3);
    EXPECT_EQ(grid_.Page(), 3);
    EXPECT_EQ(grid_.TopRow(), 20);
    EXPECT_EQ(scroll_->value(), 20);
    grid_.PageDown();  // on the last page
    EXPECT_EQ(grid_.Page(), 3);
    grid_.PageSkip(4);
    grid_.PageSkip(0);
    EXPECT_EQ(grid_.Page(), 3);
    grid_.PageUp();
    EXPECT_EQ(grid_.TopRow(), 10);
    grid_.PageSkip(1);
    grid_.PageUp();  // on the first page
    EXPECT_EQ(grid_.Page(), 1);

    // The page tab: 3300 x 480, its caption tab showing the page.
    EXPECT_DOUBLE_EQ(pages_->Width(), 3300);
    EXPECT_DOUBLE_EQ(pages_->Height(), 480);
    const QRect caption(900 / 15, 0, 1500 / 15, 480 / 15);
    const QImage first = pages_->Image().copy(caption);
    grid_.PageSkip(2);
    EXPECT_NE(pages_->Image().copy(caption), first);
    grid_.PageSkip(1);
    EXPECT_EQ(pages_->Image().copy(caption), first);
}

TEST_F(ExpandGrid2Test, TwentyFiveRowsEndOnTheLastScreenful) {
    build(25, {16});
    grid_.PageSkip(3);
    EXPECT_EQ(grid_.TopRow(), 15);
    EXPECT_EQ(grid_.Page(), 3);
    EXPECT_EQ(scroll_->maximum(), 15);
}

TEST_F(ExpandGrid2Test, AutoSizeFitsTheBodyToTheRows) {
    grid_.BodyPictureBox(body_);
    grid_.VScrollBar(scroll_);
    grid_.AutoSize(1);
    grid_.Rows(30);
    grid_.Cols(2);
    EXPECT_DOUBLE_EQ(body_->Height(), 30 * 390 + 15);
    EXPECT_EQ(grid_.PageMax(), 1);
    EXPECT_FALSE(scroll_->isEnabled());
}

// Heights set row by row are laid out once the grid is next shown; its page members and
// its height count them before that too.
TEST_F(ExpandGrid2Test, RowHeightsSetOneByOneCountBeforeAndAfterTheGridIsShown) {
    build(30, {16});
    ASSERT_EQ(grid_.PageMax(), 3);
    for (int16_t row = 0; row < 30; ++row) {
        grid_.RowsHeight(row, 780);
    }
    EXPECT_EQ(grid_.PageMax(), 6);
    EXPECT_FLOAT_EQ(grid_.Height(), 30 * 780);
    grid_.PageSkip(6);
    EXPECT_EQ(grid_.TopRow(), 25);
    EXPECT_EQ(grid_.Page(), 6);
    EXPECT_EQ(scroll_->maximum(), 25);

    grid_.RowsHeight(0, 390);
    EXPECT_EQ(grid_.PageMax(), 6);
    grid_.Redraw();
    EXPECT_EQ(scroll_->maximum(), 25);
}

// Rows halved in height before the next draw: a drag to the end of the scroll bar as it
// stood stops at the last top row of the rows as they are now.
TEST_F(ExpandGrid2Test, AScrollAfterHeightsChangedStopsAtTheLastTopRow) {
    build(30, {16});
    ASSERT_EQ(scroll_->maximum(), 20);
    for (int16_t row = 0; row < 30; ++row) {
        grid_.RowsHeight(row, 195);
    }
    scroll_->setValue(20);
    EXPECT_EQ(grid_.TopRow(), 10);
    EXPECT_EQ(scroll_->value(), 10);
    EXPECT_EQ(scroll_->maximum(), 10);
    EXPECT_EQ(grid_.Page(), 1);
    grid_.SelectCell(29, 0);  // the last row is shown at the bottom: nothing moves
    EXPECT_EQ(grid_.TopRow(), 10);
    EXPECT_EQ(colourAt(1000, 19 * 195 + 100), Highlight);
}

// AutoSize set after the row heights waits for the next row change, as it does when the
// heights are laid out at once.
TEST_F(ExpandGrid2Test, AutoSizeSetAfterTheHeightsWaitsForTheNextRowChange) {
    build(30, {16});
    for (int16_t row = 0; row < 30; ++row) {
        grid_.RowsHeight(row, 330);
    }
    grid_.AutoSize(1);
    grid_.Redraw();
    EXPECT_DOUBLE_EQ(body_->Height(), 3900);
    EXPECT_EQ(grid_.PageMax(), 3);

    grid_.RowsHeight(0, 330);
    EXPECT_EQ(grid_.PageMax(), 1);
    grid_.Redraw();
    EXPECT_DOUBLE_EQ(body_->Height(), 30 * 330 + 15);
    EXPECT_FALSE(scroll_->isEnabled());
}

TEST_F(ExpandGrid2Test, PageTabClicksTurnPages) {
    build(30, {16});
    const auto tabPoint = [this](double x) {
        return pages_->contentsRect().topLeft() +
               QPoint(static_cast<int>(x / 15), static_cast<int>(240 / 15));
    };
    QTest::mouseClick(pages_, Qt::LeftButton, Qt::NoModifier, tabPoint(2600));
    EXPECT_EQ(grid_.Page(), 2);  // next
    QTest::mouseClick(pages_, Qt::LeftButton, Qt::NoModifier, tabPoint(3100));
    EXPECT_EQ(grid_.Page(), 3);  // last
    QTest::mouseClick(pages_, Qt::LeftButton, Qt::NoModifier, tabPoint(1600));
    EXPECT_EQ(grid_.Page(), 3);  // the caption is locked
    QTest::mouseClick(pages_, Qt::LeftButton, Qt::NoModifier, tabPoint(675));
    EXPECT_EQ(grid_.Page(), 2);  // previous
    QTest::mouseClick(pages_, Qt::LeftButton, Qt::NoModifier, tabPoint(200));
    EXPECT_EQ(grid_.Page(), 1);  // first
}

TEST_F(ExpandGrid2Test, ScrollBarMovesTheTopRowOnly) {
    build(30, {16, 16});
    grid_.SelectCell(2, 1);
    record();
    scroll_->setValue(7);
    EXPECT_EQ(grid_.TopRow(), 7);
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_TRUE(log_.empty());
    // The current row is not shown: no mark anywhere in the body.
    for (int row = 0; row < 10; ++row) {
        EXPECT_NE(colourAt(3000, row * 390 + 195), Highlight) << row;
    }
}

TEST_F(ExpandGrid2Test, RedrawMarksTheCurrentCellAndDrawsGridLines) {
    build(30, {16, 2 | 16, 16});
    grid_.SelectCell(1, 0);
    EXPECT_EQ(colourAt(1000, 390 + 100), Highlight);
    EXPECT_EQ(colourAt(3000, 390 + 100), White);
    EXPECT_EQ(colourAt(1000, 100), White);
    EXPECT_EQ(colourAt(1000, 390), Black);       // the line under row 0
    EXPECT_EQ(colourAt(1000, 390 + 15), White);  // its white companion
    EXPECT_EQ(colourAt(2000, 200), Black);       // the line right of column 0
    EXPECT_EQ(colourAt(2000 + 15, 200), White);

    grid_.SelectCell(1, 1);  // a whole-row column marks the row
    EXPECT_EQ(colourAt(1000, 390 + 100), Highlight);
    EXPECT_EQ(colourAt(5000, 390 + 100), Highlight);

    grid_.GridLines(0);
    grid_.Redraw();
    EXPECT_EQ(colourAt(2000, 200), White);
}

// While the body has the focus, an outline inside the mark shows it; the mark alone
// stays when the focus goes elsewhere.
TEST_F(ExpandGrid2Test, TheMarkShowsWhetherTheBodyHasTheFocus) {
    auto* elsewhere = new QPushButton(QStringLiteral("他"), &form_);
    elsewhere->show();
    build(30, {16, 2 | 16});
    grid_.SelectCell(1, 0);
    grid_.SetFocus();
    ASSERT_EQ(focused(), body_);
    const double outlineTop = 390 + 60;
    EXPECT_EQ(colourAt(1000, outlineTop), Black);
    EXPECT_EQ(colourAt(1000, outlineTop + 45), Highlight);
    EXPECT_EQ(colourAt(60, 390 + 195), Black);  // its left edge

    elsewhere->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(colourAt(1000, outlineTop), Highlight);
    EXPECT_EQ(colourAt(60, 390 + 195), Highlight);

    grid_.SetFocus();
    grid_.SelectCell(1, 1);  // a whole-row mark is outlined along the row
    EXPECT_EQ(colourAt(60, 390 + 195), Black);
    EXPECT_EQ(colourAt(3000, outlineTop), Black);
    EXPECT_EQ(colourAt(2000 - 90, outlineTop + 45), Highlight);
}

TEST_F(ExpandGrid2Test, RowAndColumnColours) {
    build(30, {16, 16});
    grid_.RowsColor(2, 0xC0FFFF);
    grid_.ColsColor(1, 0xFFFFC0);
    grid_.Redraw();
    EXPECT_EQ(colourAt(1000, 2 * 390 + 100), 0xC0FFFF);
    EXPECT_EQ(colourAt(3000, 2 * 390 + 100), 0xFFFFC0);  // column colours cover row colours
    EXPECT_EQ(colourAt(5000, 100), 0xE0E0E0);            // the body outside the cells
}

TEST_F(ExpandGrid2Test, PageChangeLeavesNoMarkOnAnotherRow) {
    build(30, {16, 16});
    grid_.SelectCell(3, 0);
    grid_.PageSkip(2);
    EXPECT_EQ(grid_.Row(), 3);
    EXPECT_NE(colourAt(1000, 3 * 390 + 100), Highlight);  // row 13 stands there now
    grid_.PageSkip(1);
    EXPECT_EQ(colourAt(1000, 3 * 390 + 100), Highlight);
}

TEST_F(ExpandGrid2Test, SelectingScrollsToTheRow) {
    build(30, {16});
    grid_.SelectCell(9, 0);
    EXPECT_EQ(grid_.TopRow(), 0);
    grid_.SelectCell(10, 0);  // the row just below: one row
    EXPECT_EQ(grid_.TopRow(), 1);
    EXPECT_EQ(scroll_->value(), 1);
    grid_.SelectCell(25, 0);  // further: its page, within the last top row
    EXPECT_EQ(grid_.TopRow(), 20);
    EXPECT_EQ(grid_.Page(), 3);
    grid_.SelectCell(20, 0);
    grid_.SelectCell(19, 0);  // the row just above the current top row
    EXPECT_EQ(grid_.TopRow(), 19);
    grid_.SelectCell(21, 0);
    grid_.SelectCell(12, 0);  // further up: its page
    EXPECT_EQ(grid_.TopRow(), 10);
}

TEST_F(ExpandGrid2Test, EventOrder) {
    build(30, {16, 16});
    record();
    grid_.SelectCell(0, 0);
    grid_.SelectCell(0, 1);
    grid_.SelectCell(0, 1);  // the current cell again: no events
    grid_.SelectCell(-1, -1);
    EXPECT_EQ(log_, (std::vector<std::string>{"Enter 0,0=0-0", "Leave 0,0=0-0", "Enter 0,1=0-1",
                                              "Leave 0,1=0-1"}));
    EXPECT_EQ(grid_.Row(), -1);
    grid_.SelectCell(99, 0);  // outside the grid: no cell to enter
    EXPECT_EQ(log_.size(), 4u);
    EXPECT_EQ(grid_.Row(), -1);
}

TEST_F(ExpandGrid2Test, LeaveCellMayChangeValues) {
    build(3, {16, 16});
    events_.push_back(grid_.LeaveCell.connect([this] { grid_.Value(1, 1, "computed"); }));
    grid_.SelectCell(0, 0);
    grid_.SelectCell(1, 1);
    EXPECT_EQ(grid_.Value(1, 1), "computed");
}

TEST_F(ExpandGrid2Test, MousePressSelectsReachableCells) {
    build(30, {1, 16, 16});
    record();
    press(2, 0);  // passed-over column
    EXPECT_EQ(grid_.Row(), -1);
    press(2, 1);
    QTest::mouseRelease(body_, Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.Col(), 1);
    EXPECT_EQ(log_, (std::vector<std::string>{"Enter 2,1=2-1", "Click 2,1=2-1"}));
}

TEST_F(ExpandGrid2Test, HitTestBelowTheRowsGivesTheLastRowShown) {
    build(4, {16});
    int16_t row = 0;
    int16_t col = 0;
    grid_.GetCellPos(500, 3000, row, col);
    EXPECT_EQ(row, 3);
    grid_.GetCellPos(5000, 500, row, col);  // right of the only column
    EXPECT_EQ(col, 0);
    build(30, {16});
    grid_.GetCellPos(500, 3895, row, col);  // in the border below a full page
    EXPECT_EQ(row, 9);
    grid_.GetCellPos(500, 390, row, col);  // on the line between two rows: the upper
    EXPECT_EQ(row, 0);
}

TEST_F(ExpandGrid2Test, CountsAndValues) {
    build(3, {16, 16});
    grid_.Rows(3);  // the same count keeps the values
    EXPECT_EQ(grid_.Value(2, 1), "2-1");
    grid_.Rows(4);
    EXPECT_EQ(grid_.Value(2, 1), "");
    grid_.Value(0, 0, "007");
    EXPECT_EQ(grid_.Value(0, 0), "007");
    vb::VariantArray numbers(1, 1);
    numbers(0, 0) = vb::Variant(1.5);
    grid_.ValueMatrix(numbers);
    EXPECT_EQ(grid_.Value(0, 0), "1.5");
    EXPECT_TRUE(grid_.ValueMatrix()(0, 0) == vb::Variant(1.5));

    // Indexes outside the grid are ignored and read "".
    grid_.Value(9, 0, "x");
    grid_.RowsHeight(9, 100);
    grid_.ColsColor(-1, 0);
    grid_.ColsType(5, 32);
    EXPECT_EQ(grid_.Value(9, 0), "");
    EXPECT_EQ(grid_.Value(-1, -1), "");
    EXPECT_EQ(grid_.ColsComboBox(5), nullptr);
    vb::VariantArray large(8, 8);
    large(7, 7) = vb::Variant("far");
    grid_.ValueMatrix(large);
    EXPECT_EQ(grid_.Value(3, 1), "");

    grid_.Clear();
    grid_.Rows(2);
    grid_.Cols(1);
    EXPECT_FLOAT_EQ(grid_.Height(), 780);
    EXPECT_FLOAT_EQ(grid_.Width(), 1050);
}

TEST_F(ExpandGrid2Test, DisplayFormats) {
    build(3, {16, 16});
    grid_.ColsFormat(0, "000");
    grid_.ColsFormat(1, "   ");
    grid_.Value(0, 0, "7");
    grid_.Value(0, 1, "7");
    grid_.Redraw();
    const QImage image = body_->Image();
    // "007" is wider than "7": more dark pixels in column 0 than in column 1.
    const auto darkPixels = [&](int left, int right) {
        int count = 0;
        for (int x = left; x < right; ++x) {
            for (int y = 3; y < 24; ++y) {
                count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(darkPixels(3, 130), darkPixels(136, 263));
    EXPECT_GT(darkPixels(136, 263), 0);
}

TEST_F(ExpandGrid2Test, SearchSelectsMatchingCells) {
    build(30, {16, 16});
    grid_.Value(4, 1, "apple");
    grid_.Value(12, 0, "apricot");
    record();
    grid_.Search(0, 0, "ap*", 0, true);
    EXPECT_EQ(grid_.Row(), 12);
    EXPECT_EQ(log_.front(), "Enter 4,1=apple");
    grid_.Search(0, 0, "[", 0, true);  // a malformed pattern finds nothing
    EXPECT_EQ(grid_.Row(), 12);
}

// A heading line has no current cell to show the focus with: it is no tab stop, and
// SetFocus passes it by.
TEST_F(ExpandGrid2Test, OnlyAGridWithACurrentCellTakesTheFocus) {
    auto* headingBox = new forms::PictureBox(&form_);
    headingBox->Move(600, 450, 6000, 405);
    ExpandGrid2 heading;
    heading.BodyPictureBox(headingBox);
    heading.Rows(1);
    heading.Cols(2);
    for (int16_t col = 0; col < 2; ++col) {
        heading.ColsType(col, 1);
        heading.Value(0, col, QStringLiteral("見出し"));
    }
    heading.Redraw();
    EXPECT_EQ(headingBox->focusPolicy(), Qt::NoFocus);
    heading.SetFocus();
    EXPECT_NE(focused(), headingBox);

    build(5, {16, 16});
    grid_.SetFocus();
    EXPECT_EQ(focused(), body_);
    for (int tab = 0; tab < 6; ++tab) {
        key(Qt::Key_Tab);
        EXPECT_NE(focused(), headingBox) << "Tab " << tab;
    }
    grid_.Clear();
    grid_.Redraw();
    EXPECT_EQ(body_->focusPolicy(), Qt::NoFocus);
}

}  // namespace
