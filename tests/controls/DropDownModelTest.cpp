#include <gtest/gtest.h>

#include "controls/DropDownModel.h"
#include "platform/runtime/VariantArray.h"

namespace {

DropDownModel months() {
    DropDownModel model;
    model.SetBoxHeight(495);
    for (int month = 1; month <= 12; ++month) {
        model.AddItem(vb::Variant(QString::number(month)));
    }
    return model;
}

TEST(DropDownModelTest, StacksTheItemsBelowTheBox) {
    const DropDownModel model = months();
    EXPECT_EQ(model.Count(), 12);
    EXPECT_EQ(model.Item(0).Top, 555);
    EXPECT_EQ(model.Item(0).Bottom, 905);
    EXPECT_EQ(model.Item(1).Top, 905);
    EXPECT_EQ(model.Item(11).Bottom, 4755);
    EXPECT_EQ(model.OpenHeight(), 4845);
    EXPECT_TRUE(model.InList(555));
    EXPECT_FALSE(model.InList(554));
}

TEST(DropDownModelTest, HighlightsTheFirstItemHoldingThePointer) {
    DropDownModel model = months();
    const struct {
        double y;
        int16_t index;
    } cases[] = {{555, 0}, {905, 0}, {906, 1}, {2000, 4}, {4755, 11}, {9000, 11}, {0, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        ASSERT_TRUE(model.HighlightAt(c.y));
        EXPECT_EQ(model.Highlighted().Index, c.index);
        EXPECT_EQ(model.Highlighted().Top, model.Item(c.index).Top);
    }
    EXPECT_EQ(model.Chosen().Index, -1);
    model.Choose();
    EXPECT_EQ(model.Chosen().Index, 11);
    EXPECT_EQ(model.Chosen().Value.toString(), "12");
}

TEST(DropDownModelTest, ArrowKeysStayWithinTheList) {
    DropDownModel model = months();
    model.SetListIndex(0);
    model.MoveHighlight(-1);
    EXPECT_EQ(model.Highlighted().Index, 0);
    model.MoveHighlight(1);
    EXPECT_EQ(model.Highlighted().Index, 1);
    model.SetListIndex(11);
    model.MoveHighlight(1);
    EXPECT_EQ(model.Highlighted().Index, 11);
    EXPECT_EQ(model.Chosen().Index, 11);
    model.SetListIndex(12);  // outside the list: ignored
    EXPECT_EQ(model.Chosen().Index, 11);
}

TEST(DropDownModelTest, AnEmptyListHasNothingToHighlight) {
    DropDownModel model;
    model.SetBoxHeight(495);
    EXPECT_FALSE(model.HighlightAt(600));
    EXPECT_FALSE(model.MoveHighlight(1));
    model.Choose();
    EXPECT_EQ(model.Chosen().Index, -1);
    EXPECT_EQ(model.OpenHeight(), 495);
    model = months();
    model.SetListIndex(3);
    model.Clear();
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.Highlighted().Index, -1);
    EXPECT_EQ(model.Chosen().Index, -1);
}

TEST(DropDownModelTest, ItemHeightOnlyMovesTheText) {
    DropDownModel model = months();
    model.SetItemHeight(2, 500);
    EXPECT_EQ(model.Item(2).Height, 500);
    EXPECT_EQ(model.Item(2).Top, 1255);
    EXPECT_EQ(model.Item(2).Bottom, 1605);
}

TEST(DropDownModelTest, AnArrayShowsItsFirstElement) {
    vb::VariantArray item = vb::VariantArray::vector(2);
    item[0] = vb::Variant(QStringLiteral(" 4 月"));
    item[1] = vb::Variant(static_cast<int16_t>(4));
    EXPECT_EQ(DropDownModel::ItemText(vb::Variant(item)), QStringLiteral(" 4 月"));
    EXPECT_EQ(DropDownModel::ItemText(vb::Variant(static_cast<int16_t>(7))), "7");
    EXPECT_EQ(DropDownModel::ItemText(vb::Variant(vb::VariantArray(2, 2))), QString());
}

}  // namespace
