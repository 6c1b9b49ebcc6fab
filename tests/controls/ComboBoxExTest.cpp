#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>

#include "controls/ComboBoxEx.h"
#include "platform/runtime/VariantArray.h"

namespace {

class ComboBoxExTest : public ::testing::Test {
  protected:
    void SetUp() override {
        combo_ = new QComboBox(&parent_);
        wrapper_.ComboBox(combo_);
        vb::VariantArray list(6, 1);
        for (int r = 0; r < 6; ++r) {
            list(r, 0) = vb::Variant(QStringLiteral("item%1").arg(r));
        }
        wrapper_.AppendList(list);
    }

    // The user picks item index of the combo box.
    void pick(int index) {
        combo_->setCurrentIndex(index);
        emit combo_->activated(index);
    }

    QWidget parent_;
    QComboBox* combo_ = nullptr;
    ComboBoxEx wrapper_;
};

TEST_F(ComboBoxExTest, AttachingHidesTheComboBox) {
    EXPECT_TRUE(combo_->isHidden());
    EXPECT_FALSE(wrapper_.Visible());
}

TEST_F(ComboBoxExTest, RedrawShowsVisibleRowsWithTheirRows) {
    wrapper_.filter(0, "item[25]");
    wrapper_.ListIndex(5);
    wrapper_.Redraw();
    ASSERT_EQ(combo_->count(), 2);
    EXPECT_EQ(combo_->itemText(0), "item2");
    EXPECT_EQ(combo_->itemData(0).toInt(), 2);
    EXPECT_EQ(combo_->itemData(1).toInt(), 5);
    EXPECT_EQ(combo_->currentIndex(), 1);

    wrapper_.Visible(true);
    pick(0);
    EXPECT_EQ(wrapper_.ListIndex(), 2);
    EXPECT_EQ(wrapper_.SelectItem(0), "item2");
}

TEST_F(ComboBoxExTest, PicksWhileHiddenChangeNothing) {
    wrapper_.ListIndex(1);
    wrapper_.Redraw();
    pick(4);
    EXPECT_EQ(wrapper_.ListIndex(), 1);
}

TEST_F(ComboBoxExTest, HiddenSelectedRowShowsNoSelection) {
    wrapper_.filter(0, "item[01]");
    wrapper_.SelectItem(0, "item4");
    wrapper_.Redraw();
    EXPECT_EQ(combo_->count(), 2);
    EXPECT_EQ(combo_->currentIndex(), -1);
    EXPECT_EQ(wrapper_.ListIndex(), 4);
}

TEST_F(ComboBoxExTest, PlacementAndSelectionFieldHeight) {
    EXPECT_EQ(ComboBoxEx::SelectionFieldPixels(330), 16);
    wrapper_.Left(150);
    wrapper_.Top(300);
    wrapper_.Width(1500);
    wrapper_.Height(330);
    EXPECT_EQ(combo_->geometry(), QRect(10, 20, 100, 22));
}

TEST_F(ComboBoxExTest, AppendListReplacesTheList) {
    vb::VariantArray other = vb::VariantArray::vector(2);
    other[0] = vb::Variant("x");
    other[1] = vb::Variant("y");
    wrapper_.filter(0, "none");
    wrapper_.AppendList(other);
    wrapper_.Redraw();
    ASSERT_EQ(combo_->count(), 2);
    EXPECT_EQ(combo_->itemText(1), "y");
    wrapper_.Clear();
    EXPECT_EQ(combo_->count(), 0);
    EXPECT_EQ(wrapper_.SelectItem(0), "");
}

}  // namespace
