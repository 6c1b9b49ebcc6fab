#include <gtest/gtest.h>

#include <vector>

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/VariantArray.h"

namespace vb {
namespace {

int errorOf(auto&& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

VariantArray numbered(int rows, int cols) {
    VariantArray array(rows, cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            array(r, c) = int32_t{r * 10 + c};
        }
    }
    return array;
}

TEST(VariantArrayTest, ShapeAndBounds) {
    const VariantArray none;
    EXPECT_EQ(none.dimensions(), 0);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(errorOf([&] { return none(0, 0); }), errSubscriptOutOfRange);

    VariantArray grid = numbered(3, 2);
    EXPECT_EQ(grid.dimensions(), 2);
    EXPECT_EQ(grid.upperRow(), 2);
    EXPECT_EQ(grid.upperCol(), 1);
    EXPECT_EQ(grid(2, 1), Variant(int32_t{21}));
    EXPECT_TRUE(grid(0, 0) == Variant(int32_t{0}));
    for (auto [r, c] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}}) {
        EXPECT_EQ(errorOf([&] { return grid(r, c); }), errSubscriptOutOfRange) << r << "," << c;
    }
    EXPECT_EQ(errorOf([&] { return grid[0]; }), errSubscriptOutOfRange);

    VariantArray list = VariantArray::vector(3);
    EXPECT_EQ(list.dimensions(), 1);
    EXPECT_EQ(list.cols(), 1);
    list[2] = "last";
    EXPECT_EQ(list(2, 0), Variant("last"));
    EXPECT_TRUE(list[0].isEmpty());
    EXPECT_EQ(errorOf([&] { return list[3]; }), errSubscriptOutOfRange);
    EXPECT_EQ(errorOf([] { return VariantArray(-1, 2); }), errSubscriptOutOfRange);

    // from elements given row by row
    std::vector<Variant> elements;
    for (int32_t value : {0, 1, 10, 11, 20, 21}) {
        elements.emplace_back(value);
    }
    EXPECT_EQ(VariantArray(3, 2, std::move(elements)), grid);
    EXPECT_EQ(errorOf([] { return VariantArray(2, 2, std::vector<Variant>(3)); }),
              errSubscriptOutOfRange);
}

TEST(VariantArrayTest, ResizeKeepsCommonElements) {
    VariantArray grid = numbered(3, 3);
    grid.resize(4, 2);
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 2);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(grid(r, c), Variant(int32_t{r * 10 + c}));
        }
    }
    EXPECT_TRUE(grid(3, 0).isEmpty());
    EXPECT_TRUE(grid(3, 1).isEmpty());

    grid.resize(2, 5);
    EXPECT_EQ(grid(1, 1), Variant(int32_t{11}));
    EXPECT_TRUE(grid(1, 4).isEmpty());
    EXPECT_EQ(errorOf([&] { return grid(2, 0); }), errSubscriptOutOfRange);

    VariantArray list = VariantArray::vector(2);
    list[0] = "a";
    list[1] = "b";
    list.resize(3);
    EXPECT_EQ(list[1], Variant("b"));
    EXPECT_TRUE(list[2].isEmpty());
    list.resize(1);
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(list[0], Variant("a"));

    VariantArray fresh;
    fresh.resize(1, 1);
    EXPECT_EQ(fresh.dimensions(), 2);
    EXPECT_TRUE(fresh(0, 0).isEmpty());
}

}  // namespace
}  // namespace vb
