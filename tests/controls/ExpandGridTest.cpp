#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "controls/CellText.h"
#include "controls/ExpandGrid.h"
#include "platform/forms/Form.h"
#include "platform/forms/KeyCodes.h"
#include "platform/runtime/VariantArray.h"

namespace {

constexpr long Highlight = 0xD2BDB6;

// A day grid as the date picker sets it up: 6 rows of 1000, 7 columns of 1530 whose
// type flag 0 is set, sized to its cells; the body forwards its mouse presses.
class ExpandGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        form_.resize(800, 600);
        body_ = new forms::PictureBox(&form_);
        body_->Move(180, 1395, 10815, 6030);
        editor_ = new QLineEdit(&form_);
        form_.Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
        grid_.BodyPictureBox(body_);
        press_ = body_->MouseDown.connect([this](int button, int shift, double x, double y) {
            grid_.MouseDown(button, shift, x, y);
        });
        grid_.Rows(6);
        grid_.Cols(7);
        vb::VariantArray days(6, 7);
        for (int16_t c = 0; c < 7; ++c) {
            grid_.ColsWidth(c, 1530);
            grid_.ColsType(c, 1);
            grid_.ColsAlign(c, 2);
        }
        for (int16_t r = 0; r < 6; ++r) {
            grid_.RowsHeight(r, 1000);
            for (int c = 0; c < 7; ++c) {
                days(r, c) = vb::Variant(r * 7 + c + 1);
            }
        }
        grid_.ColsColor(0, 0xB8B8FE);
        grid_.AutoSize(true);
        grid_.FontSize(14);
        grid_.ValueMatrix(days);
        grid_.SelectCell(2, 3);
    }

    void pressAt(double x, double y) {
        QTest::mouseClick(body_, Qt::LeftButton, Qt::NoModifier,
                          QPoint(static_cast<int>(x / 15), static_cast<int>(y / 15)));
    }

    forms::Form form_;
    forms::PictureBox* body_ = nullptr;
    QLineEdit* editor_ = nullptr;
    ExpandGrid grid_;
    forms::Subscription press_;
};

TEST_F(ExpandGridTest, DrawsTheDaysSizedToTheCells) {
    EXPECT_EQ(grid_.Height(), 6000);
    EXPECT_EQ(grid_.Width(), 10710);
    EXPECT_DOUBLE_EQ(body_->Height(), 6015);
    EXPECT_DOUBLE_EQ(body_->Width(), 10725);
    EXPECT_EQ(body_->Point(3 * 1530 + 300, 2 * 1000 + 100), Highlight);
    EXPECT_EQ(body_->Point(300, 300), 0xB8B8FE);
    EXPECT_EQ(body_->Point(1530 + 300, 300), 0xFFFFFF);
    EXPECT_EQ(body_->Point(1530 + 300, 1000), 0x000000);  // the line under row 0
    EXPECT_EQ(grid_.Value(2, 3), "18");
}

TEST_F(ExpandGridTest, PressesSelectUnderThePointerOnly) {
    pressAt(5 * 1530 + 700, 4 * 1000 + 500);
    EXPECT_EQ(grid_.Row(), 4);  // the column's flag 0 does not stop the mouse
    EXPECT_EQ(grid_.Col(), 5);
    pressAt(1530, 1000);  // on the lines: the earlier row and column
    EXPECT_EQ(grid_.Row(), 0);
    EXPECT_EQ(grid_.Col(), 0);

    grid_.AutoSize(false);
    grid_.Rows(2);
    grid_.Redraw();
    pressAt(2000, 4000);  // below every row
    EXPECT_EQ(grid_.Row(), 0);
    EXPECT_EQ(grid_.Col(), 0);
    int16_t row = 0;
    int16_t col = 0;
    grid_.GetCellPos(10800, 100, row, col);  // right of every column
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, -1);
}

TEST_F(ExpandGridTest, SettingTheSizeEmptiesTheCells) {
    grid_.Rows(6);
    EXPECT_EQ(grid_.Value(2, 3), "");
    grid_.SelectCell(-1, -1);
    EXPECT_EQ(grid_.Row(), -1);
    EXPECT_NE(body_->Point(3 * 1530 + 300, 2 * 1000 + 100), Highlight);
}

TEST_F(ExpandGridTest, SelectingBelowTheBodyScrollsOneRow) {
    grid_.AutoSize(false);
    body_->SetHeight(3000);
    grid_.Rows(10);
    for (int16_t r = 0; r < 10; ++r) {
        grid_.RowsHeight(r, 400);
        grid_.Value(r, 0, QString::number(r));
    }
    grid_.SelectCell(8, 0);  // two rows below the last one shown
    EXPECT_EQ(grid_.Row(), 8);
    EXPECT_EQ(body_->Point(300, 100), 0xB8B8FE);  // row 1 at the top now
    int16_t row = 0;
    int16_t col = 0;
    grid_.GetCellPos(300, 100, row, col);
    EXPECT_EQ(row, 1);
}

TEST_F(ExpandGridTest, ForwardedKeysEditCells) {
    grid_.EditTextBox(editor_);
    grid_.ColsType(1, 16);
    grid_.ColsType(2, 16);
    grid_.ColsEditMode(1, 2);
    grid_.ColsEditMaxLength(1, 3);
    grid_.SelectCell(0, 1);
    int keyAscii = 'x';
    grid_.Grid_KeyPress(keyAscii);  // refused by the numeric filter
    EXPECT_EQ(grid_.Value(0, 1), "2");
    EXPECT_FALSE(editor_->isVisible());
    keyAscii = '5';
    grid_.Grid_KeyPress(keyAscii);
    ASSERT_TRUE(editor_->isVisible());
    EXPECT_EQ(editor_->text(), "5");
    int digit = '.';
    grid_.Edit_KeyPress(digit);
    EXPECT_EQ(digit, 0);
    int enter = forms::vbKeyReturn;
    grid_.Edit_KeyDown(enter, 0);
    EXPECT_EQ(enter, 0);
    EXPECT_EQ(grid_.Value(0, 1), "5");
    EXPECT_EQ(grid_.Col(), 2);
    grid_.Grid_KeyDown(forms::vbKeyDelete, 0);
    EXPECT_EQ(grid_.Value(0, 2), "");
    grid_.Grid_KeyDown(forms::vbKeyRight, 0);  // past the passed-over columns
    EXPECT_EQ(grid_.Row(), 1);
    EXPECT_EQ(grid_.Col(), 1);
}

TEST(CellTextTest, FormatsOnlyWithANonBlankPattern) {
    EXPECT_EQ(CellText::Display(vb::Variant("7"), "000"), "007");
    EXPECT_EQ(CellText::Display(vb::Variant("7"), "   "), "7");
    EXPECT_EQ(CellText::Display(vb::Variant(vb::Null), "000"), "");
    EXPECT_EQ(CellText::Display(vb::Variant("abc"), "000"), "abc");
    EXPECT_EQ(CellText::Plain(vb::Variant(vb::Null)), "");
    const CellText::Origin right = CellText::Place(1, 0, 1000, 0, 400, 300, 200);
    EXPECT_DOUBLE_EQ(right.x, 640);
    EXPECT_DOUBLE_EQ(right.y, 100);
    EXPECT_DOUBLE_EQ(CellText::Place(2, 1000, 2000, 0, 400, 300, 200).x, 1350);
    EXPECT_DOUBLE_EQ(CellText::Place(0, 1000, 2000, 0, 400, 300, 200).x, 1075);
}

}  // namespace
