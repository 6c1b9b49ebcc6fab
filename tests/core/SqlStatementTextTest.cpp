#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "core/SqlStatementText.h"
#include "platform/runtime/VariantArray.h"
#include "tests/support/TestRows.h"

namespace {

using namespace SqlStatementText;

VerseList List(std::initializer_list<vb::Variant> items) {
    VerseList list;
    for (const vb::Variant& item : items) {
        list.Add(item);
    }
    return list;
}

vb::VariantArray SetItems(std::initializer_list<QString> items) {
    vb::VariantArray array = vb::VariantArray::vector(static_cast<int>(items.size()));
    int index = 0;
    for (const QString& item : items) {
        array[index++] = item;
    }
    return array;
}

TEST(SqlStatementTextTest, StatementTexts) {
    const VerseList none;
    const VerseList products = List({"TradeMast_tbl"});
    const VerseList ofClass = List({"Classify_No = '001'"});
    const struct {
        const char* name;
        std::function<QString()> text;
        QString expected;
    } cases[] = {
        {"select",
         [&] {
             return Select(List({"Trade_No", "Trade_Name"}), products, ofClass, List({"Trade_No"}));
         },
         "SELECT Trade_No , Trade_Name FROM TradeMast_tbl Where Classify_No = '001' ORDER BY "
         "Trade_No"},
        {"count", [&] { return Count(products, ofClass); },
         "SELECT COUNT(*)  FROM TradeMast_tbl Where Classify_No = '001'"},
        {"count without where", [&] { return Count(List({"ClassifyMast_tbl"}), none); },
         "SELECT COUNT(*)  FROM ClassifyMast_tbl"},
        {"select over split FROM items",
         [&] {
             return Select(List({"a.Trade_No"}),
                           List({"TradeMast_tbl a INNER JOIN ClassifyMast_tbl b",
                                 "x ON a.Classify_No = b.Classify_No"}),
                           List({"a.Unit_Price > 0", "b.Classify_No = '002'"}), none);
         },
         "SELECT a.Trade_No FROM TradeMast_tbl a INNER JOIN ClassifyMast_tbl b , x ON "
         "a.Classify_No = b.Classify_No Where a.Unit_Price > 0 And b.Classify_No = '002'"},
        {"select without fields", [&] { return Select(none, products, none, none); },
         " FROM TradeMast_tbl"},
        {"maximum", [&] { return Max(List({"FixDate"}), List({"FixDeta_tbl"}), none); },
         "SELECT Max(FixDate)  FROM FixDeta_tbl"},
        {"minimum", [&] { return Min(List({"Input_Date"}), List({"Management_Tbl"}), ofClass); },
         "SELECT Min(Input_Date)  FROM Management_Tbl Where Classify_No = '001'"},
        {"insert",
         [&] {
             return Insert("ClassifyMast_tbl", List({"Classify_No", "Classify_Name"}),
                           makeRows({{"'001'", "'Tools'"}, {"'002'", "'Paper'"}}), 1);
         },
         "INSERT INTO ClassifyMast_tbl(Classify_No , Classify_Name) VALUES ('002','Paper')"},
        {"insert of typed values",
         [&] {
             return Insert("t", List({"a", "b", "c", "d"}),
                           makeRows({{vb::Currency::fromRaw(125000), int16_t{1},
                                      vb::Date::fromYmd(2024, 9, 1), vb::Null}}),
                           0);
         },
         "INSERT INTO t(a , b , c , d) VALUES (12.5,1,#2024/9/1#,Null)"},
        {"delete",
         [&] { return Delete(List({"Management_Tbl"}), List({"Input_Date = #2024/9/1#"})); },
         "DELETE  FROM Management_Tbl Where Input_Date = #2024/9/1#"},
        {"delete with a blank first condition",
         [&] {
             return Delete(products, List({"   ", "Classify_No = '001'"}));
         },
         "DELETE  FROM TradeMast_tbl Where Classify_No = '001'"},
        {"delete with only blank conditions",
         [&] {
             return Delete(products, List({" ", "  "}));
         },
         "DELETE  FROM TradeMast_tbl"},
        {"blank items left out of every list",
         [&] {
             return Select(List({" ", "Trade_No"}), List({"  ", "TradeMast_tbl"}),
                           List({"Trade_No = '0001'", " "}), List({" ", "Trade_No"}));
         },
         "SELECT Trade_No FROM TradeMast_tbl Where Trade_No = '0001' ORDER BY Trade_No"},
        {"update",
         [&] {
             return Update("TradeMast_tbl", SetItems({"Trade_Name = 'Pen'", "Unit_Price = 10"}),
                           List({"Classify_No = '001'", "Trade_No = '0001'"}));
         },
         "UPDATE TradeMast_tbl SET Trade_Name = 'Pen', Unit_Price = 10 Where Classify_No = "
         "'001' And Trade_No = '0001'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text(), c.expected) << c.name;
    }
}

TEST(SqlStatementTextTest, AppendFillsAnEmptyFirstItem) {
    VerseList list;
    EXPECT_EQ(list.Items().size(), 1u);
    list.Add("");
    list.Add("a");
    EXPECT_EQ(list.Items().size(), 1u);
    EXPECT_EQ(list.First(), vb::Variant("a"));
    list.Add("b");
    EXPECT_EQ(list.Items().size(), 2u);
    list.Clear();
    EXPECT_EQ(ListClause(list, SelectClause), "");
}

}  // namespace
