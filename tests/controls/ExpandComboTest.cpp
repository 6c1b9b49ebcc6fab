#include <gtest/gtest.h>

#include "controls/ExpandCombo.h"
#include "platform/forms/Form.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/VariantArray.h"

namespace {

constexpr long Face = 0xE0E0E0;
const long Highlight = forms::RGB(182, 189, 210);

class ExpandComboTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        form_.resize(400, 400);
        body_ = new forms::PictureBox(&form_);
        body_->Move(300, 300, 1575, 495);
        combo_.BodyPictureBox(body_);
        combo_.BackGroundColor(Face);
        combo_.Align(2);
    }

    void addMonths() {
        for (int month = 1; month <= 12; ++month) {
            vb::VariantArray item = vb::VariantArray::vector(2);
            item[0] = vb::Variant(QStringLiteral("%1 月").arg(month));
            item[1] = vb::Variant(static_cast<int16_t>(month));
            combo_.AddItem(vb::Variant(item));
        }
    }

    // The middle of item index in the open list.
    static double itemY(int index) { return 555 + index * 350 + 175; }

    forms::Form form_;
    forms::PictureBox* body_ = nullptr;
    ExpandCombo combo_;
};

TEST_F(ExpandComboTest, OpensBelowTheBoxAndClosesOnARelease) {
    addMonths();
    combo_.ListIndex(2);
    EXPECT_DOUBLE_EQ(body_->Height(), 495);
    EXPECT_EQ(body_->Point(300, 45), Face);
    combo_.MouseDown(1, 0, 300, 200);
    EXPECT_DOUBLE_EQ(body_->Height(), 4845);
    EXPECT_EQ(body_->Point(300, itemY(2)), Highlight);
    combo_.MouseMove(1, 0, 300, itemY(5));
    EXPECT_EQ(combo_.ListIndex(), 5);
    EXPECT_EQ(body_->Point(300, itemY(5)), Highlight);
    EXPECT_NE(body_->Point(300, itemY(2)), Highlight);
    EXPECT_EQ(combo_.ChosenIndex(), 2);
    combo_.MouseUp(1, 0, 300, 200);  // over the box: the list stays open
    EXPECT_DOUBLE_EQ(body_->Height(), 4845);
    combo_.MouseUp(1, 0, 300, itemY(5));
    EXPECT_DOUBLE_EQ(body_->Height(), 495);
    EXPECT_EQ(combo_.ChosenIndex(), 5);
    EXPECT_EQ(combo_.List().array()[1].toInteger(), 6);
}

TEST_F(ExpandComboTest, EscapeAndFocusLossKeepTheChosenItem) {
    addMonths();
    combo_.ListIndex(0);
    combo_.GotFocus();
    combo_.MouseMove(0, 0, 300, itemY(3));
    combo_.KeyDown(forms::vbKeyEscape, 0);
    EXPECT_DOUBLE_EQ(body_->Height(), 495);
    EXPECT_EQ(combo_.ListIndex(), 3);  // the abandoned highlight
    EXPECT_EQ(combo_.ChosenIndex(), 0);
    EXPECT_EQ(combo_.ChosenItem().array()[1].toInteger(), 1);
    combo_.KeyDown(forms::vbKeyDown, 0);
    EXPECT_DOUBLE_EQ(body_->Height(), 4845);
    combo_.LostFocus();
    EXPECT_DOUBLE_EQ(body_->Height(), 495);
    EXPECT_EQ(combo_.ListIndex(), 4);
    EXPECT_EQ(combo_.ChosenIndex(), 0);
    combo_.KeyDown(forms::vbKeyReturn, 0);
    EXPECT_EQ(combo_.ChosenIndex(), 4);
}

TEST_F(ExpandComboTest, ArrowKeysStopAtTheEndsAndDraggingBelowTakesTheLast) {
    addMonths();
    combo_.ListIndex(0);
    combo_.KeyDown(forms::vbKeyUp, 0);
    EXPECT_EQ(combo_.ListIndex(), 0);
    combo_.ListIndex(11);
    combo_.KeyDown(forms::vbKeyDown, 0);
    EXPECT_EQ(combo_.ListIndex(), 11);
    combo_.ListIndex(0);
    combo_.MouseDown(1, 0, 300, 200);
    combo_.MouseMove(1, 0, 300, 6000);
    EXPECT_EQ(combo_.ListIndex(), 11);
}

TEST_F(ExpandComboTest, TheSamePointerPositionTwiceChangesNothing) {
    addMonths();
    combo_.ListIndex(0);
    combo_.MouseDown(1, 0, 300, 200);
    combo_.MouseMove(0, 0, 300, itemY(2));
    combo_.KeyDown(forms::vbKeyDown, 0);
    combo_.MouseMove(0, 0, 300, itemY(2));
    EXPECT_EQ(combo_.ListIndex(), 3);
    combo_.MouseMove(0, 0, 301, itemY(2));
    EXPECT_EQ(combo_.ListIndex(), 2);
    combo_.MouseMove(0, 0, 302, 520);  // above the list: no highlight change
    EXPECT_EQ(combo_.ListIndex(), 2);
}

TEST_F(ExpandComboTest, AnEmptyListShowsTheBoxOnly) {
    combo_.MouseDown(1, 0, 300, 200);
    combo_.KeyDown(forms::vbKeyDown, 0);
    combo_.MouseMove(0, 0, 300, 900);
    combo_.MouseUp(1, 0, 300, 900);
    EXPECT_DOUBLE_EQ(body_->Height(), 495);
    EXPECT_EQ(combo_.ListIndex(), -1);
    EXPECT_EQ(combo_.ChosenIndex(), -1);
    combo_.KeyDown(forms::vbKeyReturn, 0);
    const QImage& face = body_->Image();
    for (int y = 4; y < 28; ++y) {
        for (int x = 4; x < 100; ++x) {
            ASSERT_EQ(forms::vbFromColor(face.pixelColor(x, y)), Face) << x << ", " << y;
        }
    }
}

TEST_F(ExpandComboTest, TheFaceShowsTheChosenText) {
    combo_.AddItem(vb::Variant(QStringLiteral("一")));
    const QImage empty = body_->Image();
    combo_.ListIndex(0);
    EXPECT_NE(body_->Image(), empty);
    combo_.Clear();
    EXPECT_EQ(combo_.ListCount(), 0);
    EXPECT_EQ(combo_.ListIndex(), -1);
}

}  // namespace
