#include "core/AccessADOClass.h"
#include "core/SqlValueText.h"
#include "tests/support/BackEndTest.h"
#include "tests/support/TestRows.h"

namespace {

using SqlValueText::Number;
using SqlValueText::Text;

class AccessValueTest : public BackEndTest {
  protected:
    void Prepare(AccessADOClass& access, const char* code) {
        configure(access);
        access.AccessFlag(code);
    }

    // Rows of a select of the fields over the table, in the given order.
    vb::VariantArray Select(std::initializer_list<const char*> fields, const QString& table,
                            const QString& where, const QString& order, int32_t* result) {
        AccessADOClass access;
        Prepare(access, "1");
        for (const char* field : fields) {
            access.AddField(field);
        }
        access.AddFromVerse(table);
        access.AddWhereVerse(where);
        access.AddOrderVerse(order);
        *result = access.Execute();
        return access.DBInfo();
    }

    int32_t Insert(std::initializer_list<const char*> fields, const QString& table,
                   const vb::VariantArray& rows) {
        AccessADOClass access;
        Prepare(access, "7");
        for (const char* field : fields) {
            access.AddField(field);
        }
        access.AddFromVerse(table);
        access.DBInfo(rows);
        const int32_t result = access.Execute();
        EXPECT_EQ(result, 0) << access.ErrDetail().toStdString();
        return result;
    }
};

TEST_P(AccessValueTest, ShippedRowsAndColumnNames) {
    int32_t result = 0;
    const vb::VariantArray basic =
        Select({"Trade_figure", "Unit_decimal", "Sum_decimal", "Print_type", "Picture_Flg"},
               "basic_tbl", "", "", &result);
    ASSERT_EQ(result, 1);
    for (int col = 0; col < 5; ++col) {
        EXPECT_EQ(basic(0, col).toLong(), 0) << col;
    }
    const vb::VariantArray system =
        Select({"System_id", "Basic_flg"}, "system_type", "", "", &result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(system(0, 0), vb::Variant("NEO000001"));
    EXPECT_EQ(system(0, 1).toLong(), 0);

    for (const char* table :
         {"ClassifyMast_tbl", "TradeMast_tbl", "Management_Tbl", "FixDeta_tbl"}) {
        EXPECT_EQ(count(table), 0) << table;
    }
    // The price column of FixDeta_tbl begins with a full-width letter.
    for (const auto& [field, expected] :
         {std::pair{"Ｓale_Price", 0}, std::pair{"Sale_Price", -1}}) {
        AccessADOClass access;
        Prepare(access, "8");
        access.AddField(field);
        access.AddFromVerse("FixDeta_tbl");
        const int32_t maximum = access.Execute();
        EXPECT_EQ(maximum < 0 ? -1 : maximum, expected) << access.ErrDetail().toStdString();
    }
    AccessADOClass products;
    Prepare(products, "8");
    products.AddField("basic_Quantity");
    products.AddFromVerse("TradeMast_tbl");
    EXPECT_EQ(products.Execute(), 0) << products.ErrDetail().toStdString();
}

TEST_P(AccessValueTest, CodesAndAmountsComeBackUnchanged) {
    const vb::Currency price = vb::Currency::fromRaw(12345678912);  // 1234567.8912
    const vb::Currency tiny = vb::Currency::fromRaw(1);             // 0.0001
    Insert(
        {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price"}, "TradeMast_tbl",
        makeRows({{Text("001"), Text("0000000000001"), Text("Pen"), Number(price), Number(tiny)}}));
    int32_t result = 0;
    const vb::VariantArray rows = Select({"Classify_No", "Trade_No", "Unit_Price", "Sales_Price"},
                                         "TradeMast_tbl", "", "", &result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(rows(0, 0), vb::Variant("001"));
    EXPECT_EQ(rows(0, 1), vb::Variant("0000000000001"));
    EXPECT_EQ(rows(0, 2), vb::Variant(price));
    EXPECT_EQ(rows(0, 3), vb::Variant(tiny));
}

TEST_P(AccessValueTest, SumOfManySmallAmountsIsExact) {
    constexpr int kRows = 10000;
    vb::VariantArray rows(kRows, 4);
    for (int row = 0; row < kRows; ++row) {
        rows(row, 0) = SqlValueText::DateValue(vb::Date::fromYmd(2024, 9, 1));
        rows(row, 1) = Text("001");
        rows(row, 2) = Text(QString::number(row).rightJustified(5, '0'));
        rows(row, 3) = Number(vb::Currency::fromRaw(100));  // 0.01
    }
    Insert({"Input_Date", "Classify_No", "Trade_No", "Cost_Quantity"}, "Management_Tbl", rows);
    int32_t result = 0;
    const vb::VariantArray sum = Select({"Sum(Cost_Quantity)"}, "Management_Tbl", "", "", &result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(sum(0, 0), vb::Variant(vb::Currency::fromInteger(100)));
}

TEST_P(AccessValueTest, DatesAcrossMonths) {
    const vb::Date days[] = {vb::Date::fromYmd(1899, 12, 29), vb::Date::fromYmd(2023, 12, 31),
                             vb::Date::fromYmd(2024, 1, 31),  vb::Date::fromYmd(2024, 2, 29),
                             vb::Date::fromYmd(2024, 3, 1),   vb::Date::fromYmd(2099, 12, 31)};
    const int n = static_cast<int>(std::size(days));
    vb::VariantArray rows(n, 3);
    for (int row = 0; row < n; ++row) {
        rows(row, 0) = SqlValueText::DateValue(days[n - 1 - row]);
        rows(row, 1) = Text("001");
        rows(row, 2) = Text("0001");
    }
    Insert({"Input_Date", "Classify_No", "Trade_No"}, "Management_Tbl", rows);
    int32_t result = 0;
    const vb::VariantArray read =
        Select({"Input_Date"}, "Management_Tbl", "", "Input_Date", &result);
    ASSERT_EQ(result, n);
    for (int row = 0; row < n; ++row) {
        EXPECT_EQ(read(row, 0), vb::Variant(days[row])) << row;
    }
    EXPECT_EQ(count("Management_Tbl", "Input_Date = " + SqlValueText::DateValue(days[3])), 1);
    EXPECT_EQ(count("Management_Tbl", "Input_Date >= #2024/1/1# And Input_Date < #2024/3/1#"), 2);
    EXPECT_EQ(count("Management_Tbl", "Input_Date Between #2024/2/29# And #2024/3/1#"), 2);

    AccessADOClass latest;
    Prepare(latest, "8");
    latest.AddField("Input_Date");
    latest.AddFromVerse("Management_Tbl");
    latest.AddWhereVerse("Input_Date < #2025/1/1#");
    ASSERT_EQ(latest.Execute(), 1) << latest.ErrDetail().toStdString();
    EXPECT_EQ(latest.InfoValue(0, 0), vb::Variant(days[4]));
}

TEST_P(AccessValueTest, NamesWithApostrophesAndKatakana) {
    const QString names[] = {
        QStringLiteral("O'Neil's 文具 ''"), QStringLiteral("カタカナ・ボールペン"),
        QStringLiteral("ﾊﾝｶｸ ｶﾀｶﾅ ﾃﾞｰﾀ"), QStringLiteral("ＡＢＣ＆１２３ \\ %_*?")};
    for (const QString& name : names) {
        Insert({"Classify_No", "Classify_Name"}, "ClassifyMast_tbl",
               makeRows({{Text("001"), Text(name)}}));
        int32_t result = 0;
        const vb::VariantArray read = Select({"Classify_Name"}, "ClassifyMast_tbl",
                                             "Classify_Name = " + Text(name), "", &result);
        ASSERT_EQ(result, 1) << name.toStdString();
        EXPECT_EQ(read(0, 0), vb::Variant(name));
    }
    // Like: % and _ are the wildcards, * ? and the backslash stand for themselves, and
    // ASCII letters match in either case.
    Insert({"Classify_No", "Classify_Name"}, "ClassifyMast_tbl",
           makeRows({{Text("001"), Text("Box \\ 5% *")}}));
    const std::pair<const char*, int32_t> patterns[] = {
        {"box \\ 5% *", 1}, {"B_x%", 1}, {"%\\ 5\\%", 0}, {"Box ? 5%", 0}, {"*", 0}};
    for (const auto& [pattern, expected] : patterns) {
        EXPECT_EQ(count("ClassifyMast_tbl", "Classify_Name Like " + Text(pattern)), expected)
            << pattern;
    }
}

TEST_P(AccessValueTest, CurrencyIsExactOverTheWholeRange) {
    const vb::Currency amounts[] = {
        vb::Currency::fromRaw(1), vb::Currency::fromRaw(-1), vb::Currency::fromRaw(12345678912),
        vb::Currency::max(),      vb::Currency::min(),       vb::Currency()};
    vb::VariantArray rows(std::size(amounts), 3);
    for (int row = 0; row < rows.rows(); ++row) {
        rows(row, 0) = Text("001");
        rows(row, 1) = Text(QString::number(row).rightJustified(4, '0'));
        rows(row, 2) = Number(amounts[row]);
    }
    Insert({"Classify_No", "Trade_No", "Unit_Price"}, "TradeMast_tbl", rows);
    int32_t result = 0;
    const vb::VariantArray read = Select({"Unit_Price"}, "TradeMast_tbl", "", "Trade_No", &result);
    ASSERT_EQ(result, static_cast<int32_t>(std::size(amounts)));
    for (int row = 0; row < result; ++row) {
        EXPECT_EQ(read(row, 0), vb::Variant(amounts[row])) << row;
    }
    // Comparisons and sums on the ends are exact too.
    EXPECT_EQ(count("TradeMast_tbl", "Unit_Price = " + Number(vb::Currency::max())), 1);
    const vb::VariantArray sum = Select({"Sum(Unit_Price)"}, "TradeMast_tbl",
                                        "Trade_No >= '0003' And Trade_No <= '0004'", "", &result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(sum(0, 0), vb::Variant(vb::Currency::fromRaw(-1)));
    // A step beyond either end is refused as an overflow, and nothing is written.
    for (const char* beyond : {"922337203685477.5808", "-922337203685477.5809"}) {
        AccessADOClass access;
        Prepare(access, "3");
        access.AddField("Classify_No");
        access.AddField("Trade_No");
        access.AddField("Unit_Price");
        access.AddFromVerse("TradeMast_tbl");
        access.DBInfo(makeRows({{Text("002"), Text("0001"), beyond}}));
        EXPECT_EQ(access.Execute(), -3061) << beyond;
    }
    EXPECT_EQ(count("TradeMast_tbl", "Classify_No = '002'"), 0);
}

// An amount beyond the range is an overflow on both back ends: in a select's result read
// whole or row by row, and in a write.
TEST_P(AccessValueTest, AnAmountBeyondTheRangeIsAnOverflow) {
    Insert({"Classify_No", "Trade_No", "Unit_Price"}, "TradeMast_tbl",
           makeRows({{Text("001"), Text("0001"), "1"},
                     {Text("001"), Text("0002"), Number(vb::Currency::max())}}));
    const auto expectOverflow = [](const AccessADOClass& access, int32_t result) {
        EXPECT_EQ(result, -3061);
        EXPECT_TRUE(access.ErrDetail().contains("オーバーフロー"))
            << access.ErrDetail().toStdString();
    };
    int32_t result = 0;
    {
        AccessADOClass access;
        Prepare(access, "1");
        access.AddField("Sum(Unit_Price)");
        access.AddFromVerse("TradeMast_tbl");
        result = access.Execute();
        expectOverflow(access, result);
    }
    {
        // in the order written: the first row comes, the second overflows
        AccessADOClass access;
        Prepare(access, "1");
        access.AddField("Unit_Price + Unit_Price");
        access.AddFromVerse("TradeMast_tbl");
        std::vector<vb::Variant> seen;
        result = access.ExecuteEach([&seen](std::vector<vb::Variant>& row) {
            seen.push_back(row[0]);
            return true;
        });
        expectOverflow(access, result);
        EXPECT_EQ(seen, std::vector<vb::Variant>{vb::Variant(vb::Currency::fromInteger(2))});
    }
    for (const char* item : {"Unit_Price = Unit_Price + 1", "Unit_Price = 10000000000000000"}) {
        AccessADOClass access;
        Prepare(access, "4");
        access.AddFromVerse("TradeMast_tbl");
        access.AddWhereVerse("Trade_No = '0002'");
        vb::VariantArray set = vb::VariantArray::vector(1);
        set[0] = item;
        access.UpdataInfo(set);
        SCOPED_TRACE(item);
        expectOverflow(access, access.Execute());
    }
    EXPECT_EQ(count("TradeMast_tbl", "Unit_Price = " + Number(vb::Currency::max())), 1);
}

TEST_P(AccessValueTest, NullStaysNull) {
    Insert({"Classify_No", "Trade_No", "Trade_Name", "Unit_Price"}, "TradeMast_tbl",
           makeRows({{Text("001"), Text("0001"), "Null", "Null"}}));
    int32_t result = 0;
    const vb::VariantArray read =
        Select({"Trade_Name", "Unit_Price"}, "TradeMast_tbl", "", "", &result);
    ASSERT_EQ(result, 1);
    EXPECT_TRUE(read(0, 0).isNull());
    EXPECT_TRUE(read(0, 1).isNull());
    AccessADOClass maximum;
    Prepare(maximum, "8");
    maximum.AddField("Unit_Price");
    maximum.AddFromVerse("TradeMast_tbl");
    EXPECT_EQ(maximum.Execute(), 0);
    EXPECT_TRUE(maximum.InfoValue(0, 0).isNull());
    EXPECT_EQ(count("TradeMast_tbl", "Unit_Price Is Null"), 1);
}

// Null sorts first ascending and last descending, in a derived table's ORDER BY too: a
// product without sales ranks last.
TEST_P(AccessValueTest, NullSortsFirstAscendingAndLastDescending) {
    Insert({"Classify_No", "Trade_No", "Trade_Name", "Sales_Price"}, "TradeMast_tbl",
           makeRows({{Text("001"), Text("0001"), Text("b"), "5"},
                     {Text("001"), Text("0002"), "Null", "Null"},
                     {Text("002"), Text("0001"), Text("a"), "7"}}));
    struct Case {
        const char* field;
        const char* table;
        const char* order;
        const char* expected;
    };
    const Case cases[] = {
        {"Trade_Name", "TradeMast_tbl", "Trade_Name", "-,a,b"},
        {"Trade_Name", "TradeMast_tbl", "Trade_Name ASC", "-,a,b"},
        {"Trade_Name", "TradeMast_tbl", "Sales_Price DESC", "a,b,-"},
        {"Trade_Name",
         "(SELECT Trade_Name, Sales_Price FROM TradeMast_tbl ORDER BY Sales_Price "
         "DESC, Trade_No) AS Ranked",
         "", "a,b,-"},
        {"Trade_Name",
         "(SELECT Trade_Name, Sum(Sales_Price) AS Amount FROM TradeMast_tbl GROUP BY "
         "Trade_Name) AS Sums",
         "Amount", "-,b,a"},
    };
    for (const Case& c : cases) {
        int32_t result = 0;
        const vb::VariantArray read =
            Select({c.field}, QString::fromUtf8(c.table), "", QString::fromUtf8(c.order), &result);
        ASSERT_EQ(result, 3) << c.table;
        QStringList names;
        for (int row = 0; row < 3; ++row) {
            names << (read(row, 0).isNull() ? QStringLiteral("-") : read(row, 0).toString());
        }
        EXPECT_EQ(names.join(u','), QString::fromUtf8(c.expected)) << c.table << " " << c.order;
    }
}

// A failing statement gives the same negated engine error on both back ends.
TEST_P(AccessValueTest, FailingStatements) {
    Insert({"Classify_No", "Classify_Name"}, "ClassifyMast_tbl",
           makeRows({{Text("001"), Text("Tools")}}));
    struct Case {
        const char* code;
        const char* field;
        const char* table;
        int32_t expected;
    };
    const Case cases[] = {
        {"1", "No_Such_Column", "ClassifyMast_tbl", -3075},
        {"1", "", "ClassifyMast_tbl", -3075},
        {"2", "", "No_Such_tbl", -3075},
        {"8", "Classify_Name +", "ClassifyMast_tbl", -3075},
        {"1", "#2024/2/30#", "ClassifyMast_tbl", -3075},
        {"1", "#100/1/1#", "ClassifyMast_tbl", -3075},
        {"3", "Classify_No", "ClassifyMast_tbl", -3022},
    };
    for (const Case& c : cases) {
        AccessADOClass access;
        Prepare(access, c.code);
        access.AddField(QString::fromUtf8(c.field));
        access.AddFromVerse(QString::fromUtf8(c.table));
        access.DBInfo(makeRows({{Text("001")}}));
        EXPECT_EQ(access.Execute(), c.expected) << c.code << " " << c.field;
        EXPECT_FALSE(access.ErrDetail().isEmpty());
    }
    EXPECT_EQ(count("ClassifyMast_tbl"), 1);
}

INSTANTIATE_TEST_SUITE_P(, AccessValueTest, BothBackEnds, BackEndName);

}  // namespace
