#include <gtest/gtest.h>

#include "controls/ArrayFunc.h"
#include "platform/runtime/VariantArray.h"

namespace {

vb::Variant row(std::initializer_list<vb::Variant> values) {
    vb::VariantArray array = vb::VariantArray::vector(static_cast<int>(values.size()));
    int i = 0;
    for (const vb::Variant& value : values) {
        array[i++] = value;
    }
    return array;
}

TEST(ArrayFuncTest, DimensionsOfValues) {
    EXPECT_EQ(ArrayFunc::ArrayDimensions(vb::Variant()), 0);
    EXPECT_EQ(ArrayFunc::ArrayDimensions(vb::Variant("a")), 0);
    EXPECT_EQ(ArrayFunc::ArrayDimensions(vb::Variant(vb::VariantArray())), 0);
    EXPECT_EQ(ArrayFunc::ArrayDimensions(row({1})), 1);
    EXPECT_EQ(ArrayFunc::ArrayDimensions(vb::Variant(vb::VariantArray(2, 3))), 2);
}

TEST(ArrayFuncTest, AppendBuildsVectorsAndTables) {
    const vb::Variant vector = ArrayFunc::ArrayAppend(vb::Variant(), "x");
    ASSERT_EQ(ArrayFunc::ArrayDimensions(vector), 1);
    EXPECT_EQ(vector.array()[0], vb::Variant("x"));

    const vb::Variant longer = ArrayFunc::ArrayAppend(vector, row({1, 2}));
    ASSERT_EQ(longer.array().size(), 2);
    EXPECT_TRUE(longer.array()[1].isArray());  // the item as a whole
    EXPECT_EQ(vector.array().size(), 1);       // the target is not changed

    vb::Variant table = ArrayFunc::ArrayAppend(vb::Variant(), row({"a", "b"}));
    ASSERT_EQ(ArrayFunc::ArrayDimensions(table), 2);
    table = ArrayFunc::ArrayAppend(table, row({"c"}));
    const vb::VariantArray& cells = table.array();
    ASSERT_EQ(cells.rows(), 2);
    ASSERT_EQ(cells.cols(), 2);
    EXPECT_EQ(cells(1, 0), vb::Variant("c"));
    EXPECT_TRUE(cells(1, 1).isEmpty());
}

TEST(ArrayFuncTest, AppendKeepsEveryValueOfALongerRow) {
    vb::Variant table = ArrayFunc::ArrayAppend(vb::Variant(), row({"a"}));
    table = ArrayFunc::ArrayAppend(table, row({"b", "c"}));
    const vb::VariantArray& cells = table.array();
    ASSERT_EQ(cells.cols(), 2);
    EXPECT_EQ(cells(0, 0), vb::Variant("a"));
    EXPECT_EQ(cells(1, 1), vb::Variant("c"));
}

TEST(ArrayFuncTest, AppendOfATableItemToNothingGivesEmpty) {
    EXPECT_TRUE(
        ArrayFunc::ArrayAppend(vb::Variant(), vb::Variant(vb::VariantArray(1, 1))).isEmpty());
}

}  // namespace
