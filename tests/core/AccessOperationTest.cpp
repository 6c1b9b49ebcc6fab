#include <algorithm>

#include <QStringList>

#include "core/AccessADOClass.h"
#include "platform/jet/JetError.h"
#include "tests/support/BackEndTest.h"
#include "tests/support/TestRows.h"

namespace {

const QString kNothingWritten = QStringLiteral("Dataの書き込みが出来ませんでした。");
const QString kNothingRegistered = QStringLiteral("登録できませんでした。");
const QString kDeleteFailed = QStringLiteral("削除できませんでした。");

const QStringList kProductFields = {"Classify_No", "Trade_No",    "Trade_Name",
                                    "Unit_Price",  "Sales_Price", "basic_Quantity"};

vb::VariantArray Product(const char* classNo, const char* tradeNo, const char* name) {
    return makeRows({{QString("'%1'").arg(classNo), QString("'%1'").arg(tradeNo),
                      QString("'%1'").arg(name), "100", "120", "0"}});
}

vb::VariantArray Products(std::initializer_list<vb::VariantArray> rows) {
    vb::VariantArray result(static_cast<int>(rows.size()), kProductFields.size());
    int row = 0;
    for (const vb::VariantArray& one : rows) {
        for (int col = 0; col < one.cols(); ++col) {
            result(row, col) = one(0, col);
        }
        ++row;
    }
    return result;
}

vb::VariantArray SetItems(const QString& item) {
    vb::VariantArray items = vb::VariantArray::vector(1);
    items[0] = item;
    return items;
}

// Classes 001 Tools and 002 Paper; products Pen, Ink, Nib of 001 and Pad of 002; one day
// of movement.
class AccessOperationTest : public BackEndTest {
  protected:
    void SetUp() override {
        BackEndTest::SetUp();
        AccessADOClass classes;
        Prepare(classes, "3");
        classes.AddField("Classify_No");
        classes.AddField("Classify_Name");
        classes.AddFromVerse("ClassifyMast_tbl");
        classes.DBInfo(makeRows({{"'001'", "'Tools'"}, {"'002'", "'Paper'"}}));
        ASSERT_EQ(classes.Execute(), 2) << classes.ErrDetail().toStdString();

        AccessADOClass products;
        Prepare(products, "3");
        AddProductFields(products, &AccessADOClass::AddField);
        products.AddFromVerse("TradeMast_tbl");
        products.DBInfo(Products({Product("001", "0001", "Pen"), Product("001", "0002", "Ink"),
                                  Product("001", "0003", "Nib"), Product("002", "0001", "Pad")}));
        ASSERT_EQ(products.Execute(), 4) << products.ErrDetail().toStdString();

        AccessADOClass day;
        Prepare(day, "3");
        for (const char* field : {"Input_Date", "Classify_No", "Trade_No", "Cost_Quantity"}) {
            day.AddField(field);
        }
        day.AddFromVerse("Management_Tbl");
        day.DBInfo(makeRows({{"#2024/9/2#", "'001'", "'0001'", "5"}}));
        ASSERT_EQ(day.Execute(), 1) << day.ErrDetail().toStdString();
    }

    void Prepare(AccessADOClass& access, const char* code) {
        configure(access);
        access.AccessFlag(code);
    }

    static void AddProductFields(AccessADOClass& access,
                                 void (AccessADOClass::*add)(const vb::Variant&)) {
        for (const QString& field : kProductFields) {
            (access.*add)(field);
        }
    }

    // One column of a table, in order.
    QStringList Column(const QString& table, const QString& field) {
        AccessADOClass access;
        Prepare(access, "1");
        access.AddField(field);
        access.AddFromVerse(table);
        access.AddOrderVerse(field);
        const int32_t rows = access.Execute();
        QStringList values;
        for (int row = 0; row < rows; ++row) {
            values.append(access.InfoValue(row, 0).toString());
        }
        return values;
    }

    const QStringList seededClasses = {"Paper", "Tools"};
    const QStringList seededProducts = {"Ink", "Nib", "Pad", "Pen"};
};

TEST_P(AccessOperationTest, ReplaceDeletesTheMatchingRowsAndInserts) {
    AccessADOClass access;
    Prepare(access, "7");
    AddProductFields(access, &AccessADOClass::AddField);
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("Classify_No = '001'");
    access.DBInfo(Products({Product("001", "0001", "Quill"), Product("001", "0004", "Ruler")}));
    EXPECT_EQ(access.Execute(), 0) << access.ErrDetail().toStdString();
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Pad", "Quill", "Ruler"}));
}

TEST_P(AccessOperationTest, ReplaceKeepsTheOldRowsWhenAnInsertFails) {
    AccessADOClass access;
    Prepare(access, "7");
    AddProductFields(access, &AccessADOClass::AddField);
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("Classify_No = '001'");
    access.DBInfo(Products(
        {Product("001", "0005", "A"), Product("001", "0006", "B"), Product("001", "0005", "C")}));
    EXPECT_LT(access.Execute(), -3000);
    EXPECT_FALSE(access.ErrDetail().isEmpty());
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);

    AccessADOClass nothing;
    Prepare(nothing, "7");
    AddProductFields(nothing, &AccessADOClass::AddField);
    nothing.AddFromVerse("TradeMast_tbl");
    nothing.AddWhereVerse("Classify_No = '001'");
    EXPECT_EQ(nothing.Execute(), AccessADOClass::NothingWritten);
    EXPECT_EQ(nothing.ErrDetail(), kNothingWritten);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);
}

TEST_P(AccessOperationTest, ReplaceOverTwoTables) {
    const auto prepare = [&](AccessADOClass& access, const vb::VariantArray& products) {
        Prepare(access, "11");
        access.AddField("Classify_No");
        access.AddField("Classify_Name");
        access.AddFromVerse("ClassifyMast_tbl");
        access.DBInfo(makeRows({{"'003'", "'Glue'"}}));
        AddProductFields(access, &AccessADOClass::AddFieldSecond);
        access.AddFromSecondVerse("TradeMast_tbl");
        access.UpdataInfo(products);
    };
    AccessADOClass failing;
    prepare(failing, Products({Product("003", "0001", "A"), Product("003", "0001", "B")}));
    EXPECT_LT(failing.Execute(), -3000);
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), seededClasses);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);

    AccessADOClass working;
    prepare(working, Products({Product("003", "0001", "Stick")}));
    EXPECT_EQ(working.Execute(), 0) << working.ErrDetail().toStdString();
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), QStringList({"Glue"}));
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Stick"}));
}

TEST_P(AccessOperationTest, ReplaceOverThreeTables) {
    const auto prepare = [&](AccessADOClass& access, const vb::VariantArray& days) {
        Prepare(access, "12");
        access.AddField("Classify_No");
        access.AddField("Classify_Name");
        access.AddFromVerse("ClassifyMast_tbl");
        access.DBInfo(makeRows({{"'003'", "'Glue'"}}));
        AddProductFields(access, &AccessADOClass::AddFieldSecond);
        access.AddFromSecondVerse("TradeMast_tbl");
        access.UpdataInfo(Products({Product("003", "0001", "Stick")}));
        for (const char* field : {"Input_Date", "Classify_No", "Trade_No"}) {
            access.AddFieldThird(field);
        }
        access.AddFromThirdVerse("Management_Tbl");
        access.ThirdDBInfo(days);
    };
    AccessADOClass empty;
    prepare(empty, vb::VariantArray());
    EXPECT_EQ(empty.Execute(), AccessADOClass::NothingWritten);
    EXPECT_EQ(empty.ErrDetail(), kNothingWritten);
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), seededClasses);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);
    EXPECT_EQ(Column("Management_Tbl", "Trade_No"), QStringList({"0001"}));

    // The third insert fails on its second row: the deletes and the inserts before it
    // are rolled back.
    AccessADOClass failing;
    prepare(failing,
            makeRows({{"#2024/9/3#", "'003'", "'0001'"}, {"#2024/9/3#", "'003'", "'0001'"}}));
    EXPECT_EQ(failing.Execute(), -3022);
    EXPECT_FALSE(failing.ErrDetail().isEmpty());
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), seededClasses);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);
    EXPECT_EQ(Column("Management_Tbl", "Trade_No"), QStringList({"0001"}));

    AccessADOClass working;
    prepare(working, makeRows({{"#2024/9/3#", "'003'", "'0001'"}}));
    EXPECT_EQ(working.Execute(), 0) << working.ErrDetail().toStdString();
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), QStringList({"Glue"}));
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Stick"}));
    EXPECT_EQ(Column("Management_Tbl", "Classify_No"), QStringList({"003"}));
}

TEST_P(AccessOperationTest, DeleteFromTwoTables) {
    AccessADOClass failing;
    Prepare(failing, "10");
    failing.AddFromVerse("ClassifyMast_tbl");
    failing.AddWhereVerse("Classify_No = '001'");
    // Counting over two FROM items works; deleting from them does not.
    failing.AddFromSecondVerse("TradeMast_tbl");
    failing.AddFromSecondVerse("Management_Tbl");
    EXPECT_LT(failing.Execute(), -3000);
    EXPECT_EQ(failing.ErrDetail(), kDeleteFailed);
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), seededClasses);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);

    AccessADOClass working;
    Prepare(working, "10");
    working.AddFromVerse("ClassifyMast_tbl");
    working.AddWhereVerse("Classify_No = '001'");
    working.AddFromSecondVerse("TradeMast_tbl");
    working.AddWhereSecondVerse("Classify_No = '001'");
    EXPECT_EQ(working.Execute(), 0) << working.ErrDetail().toStdString();
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), QStringList({"Paper"}));
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Pad"}));
}

TEST_P(AccessOperationTest, InsertIsAllOrNothing) {
    AccessADOClass failing;
    Prepare(failing, "3");
    AddProductFields(failing, &AccessADOClass::AddField);
    failing.AddFromVerse("TradeMast_tbl");
    failing.DBInfo(Products(
        {Product("002", "0002", "A"), Product("002", "0003", "B"), Product("002", "0001", "C")}));
    EXPECT_LT(failing.Execute(), -3000);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);
}

TEST_P(AccessOperationTest, Update) {
    const auto update = [&](const QString& table, const QString& set, const QString& where) {
        AccessADOClass access;
        Prepare(access, "4");
        access.AddFromVerse(table);
        access.AddWhereVerse(where);
        access.UpdataInfo(SetItems(set));
        return access.Execute();
    };
    EXPECT_EQ(update("TradeMast_tbl", "Trade_Name = 'Quill'", "Trade_No = '0001'"), 0);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Ink", "Nib", "Quill", "Quill"}));
    EXPECT_EQ(update("TradeMast_tbl", "Trade_Name = 'X'", "Trade_No = '9999'"), 0);
    EXPECT_LT(update("TradeMast_tbl", "No_Such_Column = 1", "Trade_No = '0002'"), -3000);
    // A count that fails is reported, not taken for "nothing to update".
    EXPECT_LT(update("No_Such_tbl", "Trade_Name = 'X'", ""), -3000);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Ink", "Nib", "Quill", "Quill"}));
}

TEST_P(AccessOperationTest, DeleteNeverWidensItsCondition) {
    AccessADOClass unmatched;
    Prepare(unmatched, "5");
    unmatched.AddFromVerse("TradeMast_tbl");
    unmatched.AddWhereVerse("Classify_No = '999'");
    EXPECT_EQ(unmatched.Execute(), 0);
    EXPECT_EQ(count("TradeMast_tbl"), 4);

    AccessADOClass blankFirst;
    Prepare(blankFirst, "5");
    blankFirst.AddFromVerse("TradeMast_tbl");
    blankFirst.AddWhereVerse("   ");
    blankFirst.AddWhereVerse("Classify_No = '001'");
    EXPECT_EQ(blankFirst.Execute(), 0);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Pad"}));
}

TEST_P(AccessOperationTest, UpdateAndReplace) {
    const auto prepare = [&](AccessADOClass& access, const vb::VariantArray& products) {
        Prepare(access, "6");
        access.AddFromVerse("ClassifyMast_tbl");
        access.AddWhereVerse("Classify_No = '001'");
        access.UpdataInfo(SetItems("Classify_Name = 'Pens'"));
        AddProductFields(access, &AccessADOClass::AddField);
        access.AddFromSecondVerse("TradeMast_tbl");
        access.AddWhereSecondVerse("Classify_No = '001'");
        access.DBInfo(products);
    };
    AccessADOClass nothing;
    prepare(nothing, vb::VariantArray());
    EXPECT_EQ(nothing.Execute(), AccessADOClass::NothingRegistered);
    EXPECT_EQ(nothing.ErrDetail(), kNothingRegistered);
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), seededClasses);
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), seededProducts);

    AccessADOClass working;
    prepare(working, Products({Product("001", "0007", "Brush")}));
    EXPECT_EQ(working.Execute(), 0) << working.ErrDetail().toStdString();
    EXPECT_EQ(Column("ClassifyMast_tbl", "Classify_Name"), QStringList({"Paper", "Pens"}));
    EXPECT_EQ(Column("TradeMast_tbl", "Trade_Name"), QStringList({"Brush", "Pad"}));
}

TEST_P(AccessOperationTest, SelectSizesItsResultByTheRowsRead) {
    AccessADOClass access;
    Prepare(access, "1");
    access.AddField("Trade_No");
    access.AddField("Trade_Name");
    access.AddField("Unit_Price");
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("Classify_No = '001'");
    access.AddOrderVerse("Trade_No");
    ASSERT_EQ(access.Execute(), 3);
    const vb::VariantArray rows = access.DBInfo();
    EXPECT_EQ(rows.rows(), 3);
    EXPECT_EQ(rows.cols(), 3);
    EXPECT_EQ(rows(2, 1), vb::Variant("Nib"));
    EXPECT_EQ(rows(2, 2), vb::Variant(vb::Currency::fromInteger(100)));

    // The count counts four rows, the select reads two.
    access.ExecuteClear();
    access.AddField("DISTINCT Classify_No");
    access.AddFromVerse("TradeMast_tbl");
    access.AddOrderVerse("Classify_No");
    ASSERT_EQ(access.Execute(), 2);
    EXPECT_EQ(access.DBInfo().rows(), 2);
    EXPECT_EQ(access.InfoValue(1, 0), vb::Variant("002"));

    // Nothing found: the previous result is gone.
    access.ExecuteClear();
    access.AddField("Trade_No");
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("Classify_No = '999'");
    EXPECT_EQ(access.Execute(), 0);
    EXPECT_TRUE(access.DBInfo().isEmpty());

    AccessADOClass noFields;
    Prepare(noFields, "1");
    noFields.AddFromVerse("TradeMast_tbl");
    EXPECT_LT(noFields.Execute(), -3000);
}

// The select is read once; where it and the count of its FROM and WHERE could differ,
// the result is still the count's.
TEST_P(AccessOperationTest, SelectResultsFollowTheCountOfTheirRows) {
    const struct {
        const char* field;
        const char* from;
        const char* where;
        int32_t result;
    } cases[] = {
        // an aggregate over no rows reads one row, the count finds none
        {"Sum(Cost_Quantity)", "Management_Tbl", "Input_Date = #2024/9/3#", 0},
        {"Sum(Cost_Quantity)", "Management_Tbl", "Input_Date = #2024/9/2#", 1},
        // an unknown field over no rows is nothing found, over rows a failure
        {"No_Such_Field", "TradeMast_tbl", "Classify_No = '999'", 0},
        {"No_Such_Field", "TradeMast_tbl", "Classify_No = '001'", -jet::errSyntax},
        // the count cannot see the select's names
        {"Trade_No AS Number", "TradeMast_tbl", "Number = '0001'", -jet::errSyntax},
        {"Classify_No", "TradeMast_tbl", "Classify_No = '002' GROUP BY Classify_No", 1},
        {"Count(*)", "(SELECT Classify_No FROM TradeMast_tbl GROUP BY Classify_No) AS c", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " / " + c.where);
        AccessADOClass access;
        Prepare(access, "1");
        access.AddField(c.field);
        access.AddFromVerse(c.from);
        if (*c.where) {
            access.AddWhereVerse(c.where);
        }
        EXPECT_EQ(access.Execute(), c.result) << access.ErrDetail().toStdString();
        EXPECT_EQ(access.DBInfo().rows(), std::max(c.result, 0));
    }
}

TEST_P(AccessOperationTest, CountAndReuseAfterExecuteClear) {
    AccessADOClass access;
    Prepare(access, "2");
    access.AddFromVerse("ClassifyMast_tbl");
    EXPECT_EQ(access.Execute(), 2);
    access.ExecuteClear();
    EXPECT_EQ(access.ErrDetail(), "");
    // Back to code 1 (select) with the database settings kept.
    access.AddField("Trade_Name");
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("Classify_No = '002'");
    EXPECT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 0), vb::Variant("Pad"));
}

TEST_P(AccessOperationTest, MaximumAndMinimum) {
    const auto aggregate = [&](const char* code, const QString& field, const QString& table) {
        AccessADOClass access;
        Prepare(access, code);
        access.AddField(field);
        access.AddFromVerse(table);
        const int32_t result = access.Execute();
        return std::make_pair(result, access.InfoValue(0, 0));
    };
    const auto emptyMax = aggregate("8", "FixDate", "FixDeta_tbl");
    EXPECT_EQ(emptyMax.first, 0);
    EXPECT_TRUE(emptyMax.second.isNull());

    AccessADOClass months;
    Prepare(months, "3");
    for (const char* field : {"FixDate", "Classify_No", "Trade_No"}) {
        months.AddField(field);
    }
    months.AddFromVerse("FixDeta_tbl");
    months.DBInfo(makeRows({{"#2024/9/1#", "'001'", "'0001'"},
                            {"#2024/10/1#", "'001'", "'0001'"},
                            {"#2024/9/1#", "'002'", "'0001'"}}));
    ASSERT_EQ(months.Execute(), 3) << months.ErrDetail().toStdString();

    const auto max = aggregate("8", "FixDate", "FixDeta_tbl");
    EXPECT_EQ(max.first, 1);
    EXPECT_EQ(max.second, vb::Variant(vb::Date::fromYmd(2024, 10, 1)));
    const auto min = aggregate("9", "FixDate", "FixDeta_tbl");
    EXPECT_EQ(min.first, 1);
    EXPECT_EQ(min.second, vb::Variant(vb::Date::fromYmd(2024, 9, 1)));
}

INSTANTIATE_TEST_SUITE_P(, AccessOperationTest, BothBackEnds, BackEndName);

}  // namespace
