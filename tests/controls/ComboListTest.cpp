#include <gtest/gtest.h>

#include "controls/ComboList.h"
#include "platform/runtime/VariantArray.h"

namespace {

// Codes and names: row r holds ("0r", name).
vb::Variant table() {
    const char* names[] = {"Apple", "banana", "Avocado", "cherry", "[x]*?#", "Apricot"};
    vb::VariantArray list(6, 2);
    for (int r = 0; r < 6; ++r) {
        list(r, 0) = vb::Variant(QStringLiteral("0%1").arg(r));
        list(r, 1) = vb::Variant(names[r]);
    }
    return list;
}

std::vector<int> shownRows(const ComboList& list) {
    std::vector<int> rows;
    for (const ComboList::Item& item : list.ShownItems()) {
        rows.push_back(item.row);
    }
    return rows;
}

TEST(ComboListTest, FilterByPattern) {
    ComboList list;
    list.SetList(table());
    list.Filter(1, "A*");
    EXPECT_EQ(shownRows(list), (std::vector<int>{0, 2, 5}));
    const std::vector<ComboList::Item> items = list.ShownItems();
    EXPECT_EQ(items[1].text, "02");  // the first column is shown
    list.Filter(0, "*");
    EXPECT_EQ(shownRows(list).size(), 6u);
    list.Filter(1, "[");  // a malformed pattern shows nothing
    EXPECT_TRUE(shownRows(list).empty());
    list.Filter(1, "A*");
    list.Filter(5, "*");  // a column outside the table changes nothing
    EXPECT_EQ(shownRows(list), (std::vector<int>{0, 2, 5}));
}

TEST(ComboListTest, SelectItemComparesLiterally) {
    ComboList list;
    list.SetList(table());
    list.SelectItem(1, "[x]*?#");
    EXPECT_EQ(list.ListIndex(), 4);
    EXPECT_EQ(list.SelectItem(0), "04");
    list.SelectItem(1, "A*");  // no row is named "A*"
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.SelectItem(1), "");
    list.SelectItem(1, "Apple");
    EXPECT_EQ(list.ListIndex(), 0);
    list.SelectItem(9, "Apple");  // a column outside the table selects nothing
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(ComboListTest, SelectionIgnoresTheFilter) {
    ComboList list;
    list.SetList(table());
    list.Filter(1, "c*");
    list.SelectItem(1, "Apple");
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_FALSE(list.RowVisible(0));
    EXPECT_EQ(shownRows(list), (std::vector<int>{3}));
}

TEST(ComboListTest, VectorsAddedRowsAndReplacedLists) {
    ComboList list;
    vb::VariantArray names = vb::VariantArray::vector(3);
    names[0] = vb::Variant("x");
    names[1] = vb::Variant(vb::Null);
    names[2] = vb::Variant(12);
    list.SetList(names);
    list.Filter(0, "*");
    EXPECT_EQ(shownRows(list), (std::vector<int>{0, 2}));  // Null never matches
    list.SelectItem(0, "12");
    EXPECT_EQ(list.SelectItem(7), "12");  // a vector has one value per row

    ComboList rows;
    vb::VariantArray pair = vb::VariantArray::vector(2);
    pair[0] = vb::Variant("a");
    pair[1] = vb::Variant("b");
    rows.AddItem(pair);
    rows.AddItem(pair);
    ASSERT_EQ(rows.RowCount(), 2);
    EXPECT_EQ(rows.List().array().cols(), 2);
    rows.SetList(table());
    EXPECT_EQ(rows.RowCount(), 6);
    EXPECT_EQ(shownRows(rows).size(), 6u);
}

TEST(ComboListTest, OutOfRangeListIndexReadsEmpty) {
    ComboList list;
    list.SetList(table());
    list.ListIndex(40);
    EXPECT_EQ(list.SelectItem(0), "");
    EXPECT_EQ(ComboList().SelectItem(0), "");
}

}  // namespace
