#include <gtest/gtest.h>

#include "CloseFixture.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "platform/forms/TestHook.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/monthend/InventoryTable.h"
#include "screens/monthend/MonthClose.h"
#include "screens/monthend/PeriodSums.h"
#include "tests/support/TestServerDatabase.h"

namespace {

const QStringList ClassFields = {"Classify_No", "Classify_Name"};
const QStringList ProductFields = {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price",
                                   "Sales_Price"};
const QStringList MovementFields = {"Input_Date", "Classify_No", "Trade_No",       "Cost_Quantity",
                                    "Unit_Price", "Cost_Money",  "Sales_Quantity", "Sales_Money"};
const QStringList MonthFields = {
    "FixDate",     "Classify_No",   "Trade_No",      "Classify_Name", "Trade_Name",
    "Unit_Price",  "Cost_Quantity", "Cost_Money",    "Ｓale_Price",   "Sales_Quantity",
    "Sales_Money", "Fix_Quantity",  "Aver_Quantity", "ClasRankRi",    "ClasRankMo",
    "ClasRankQu",  "TradeRankRi",   "TradeRankMo",   "TradeRankQu"};

// A small shop: two classes, four products, April closed, a month of daily rows with
// decimal quantities and prices.
class ServerCloseTest : public CloseFixture {
  protected:
    void SetUp() override {
        CloseFixture::SetUp();
        ASSERT_TRUE(server.isValid()) << server.error().toStdString();
        MainModule::UnitDecimal = 3;
        MainModule::SumDecimal = 3;
        classify("001", "文具");
        classify("002", "O'Reilly食品");
        product("001", "0001", "ノート", "100", "120");
        product("001", "0002", "Bic's ペン", "60.5", "99.99");
        product("002", "0001", "りんご", "80", "150");
        product("002", "0002", "ﾊﾞﾅﾅ", "35.25", "58");
        closeMonth(2024, 4, "001", "0001", 7);
        closeMonth(2024, 4, "002", "0002", 12);
        movement(5, 20, "001", "0001", "0", "110", "2", "240");
        movement(5, 3, "001", "0001", "10", "100", "4", "480");
        movement(5, 25, "001", "0001", "0", "105", "1", "120");
        movement(5, 4, "001", "0002", "2.5", "60.5", "1.25", "124.99");
        movement(5, 4, "002", "0001", "30", "80", "7", "1050");
        movement(5, 11, "002", "0002", "20", "35.25", "13.5", "783");
        movement(5, 31, "002", "0002", "0", "36", "3", "174");
        movement(6, 1, "001", "0002", "50", "60", "0", "0");
    }

    void TearDown() override {
        AccessADOClass::InitialProvider() = 0;
        CloseFixture::TearDown();
    }

    // Copies the rows of a table of the file into the server's database.
    void copyToServer(const QString& table, const QStringList& fields) {
        AccessADOClass read;
        database.configure(read);
        read.AccessFlag("1");
        for (const QString& field : fields) {
            read.AddField(field);
        }
        read.AddFromVerse(table);
        const int32_t count = read.Execute();
        ASSERT_GT(count, 0) << table.toStdString();
        vb::VariantArray rows(count, fields.size());
        for (int row = 0; row < count; ++row) {
            for (int col = 0; col < fields.size(); ++col) {
                rows(row, col) = SqlValueText::Value(read.InfoValue(row, col));
            }
        }
        AccessADOClass write;
        server.configure(write);
        write.AccessFlag("3");
        for (const QString& field : fields) {
            write.AddField(field);
        }
        write.AddFromVerse(table);
        write.DBInfo(rows);
        ASSERT_EQ(write.Execute(), count) << write.ErrDetail().toStdString();
    }

    void copyAllToServer() {
        copyToServer("ClassifyMast_tbl", ClassFields);
        copyToServer("TradeMast_tbl", ProductFields);
        copyToServer("Management_Tbl", MovementFields);
        copyToServer("FixDeta_tbl", MonthFields);
    }

    // June's inventory table: every row as "a|b|c" on a line of its own, then the total.
    static std::string juneInventory() {
        InventoryTable table;
        EXPECT_TRUE(table.Load(vb::Date::fromYmd(2024, 6, 1), "在庫管理表"));
        QString text;
        for (int row = 0; row < table.RowCount(); ++row) {
            QStringList cells;
            for (int col = InventoryTable::ClassifyNo; col <= InventoryTable::Value; ++col) {
                cells << table.Rows()(row, col).toString();
            }
            text += cells.join('|') + '\n';
        }
        return (text + table.Total().toString()).toStdString();
    }

    // May's sums per product as the close reads them, a line each ("a|b|c").
    static std::string maySums() {
        AccessADOClass access;
        MasterDatabase::Configure(access);
        PeriodSums sums;
        EXPECT_EQ(sums.Read(access, vb::Date::fromYmd(2024, 5, 1), vb::Date::fromYmd(2024, 5, 31)),
                  9);
        int32_t count = 0;
        const vb::VariantArray rows = sums.CloseRows(count);
        QString text;
        for (int row = 0; row < count; ++row) {
            QStringList cells;
            for (int col = 0; col < 9; ++col) {
                const vb::Variant& value = rows(row, col);
                cells << (value.isNull() ? QStringLiteral("Null") : value.toString());
            }
            text += cells.join('|') + '\n';
        }
        return text.toStdString();
    }

    static void useServer(const TestServerDatabase& server) {
        AccessADOClass::InitialProvider() = 1;
        MainModule::DBFileName = server.name();
        MainModule::DBPassword = TestServerDatabase::password();
    }

    std::vector<QString> storedMay(AccessADOClass& access) {
        return rowsOf(access, "FixDeta_tbl", MonthFields, "Classify_No, Trade_No",
                      "FixDate = #2024/5/1#");
    }

    TestServerDatabase server;
};

TEST_F(ServerCloseTest, TheServerStoresTheSameMonthAsTheFile) {
    copyAllToServer();

    MonthClose onFile(vb::Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(onFile.Calculate(), MonthClose::Ready);
    ASSERT_GE(onFile.Save(), 0);

    // The screens' own operations, on the server: new wrappers start with Provider 1 and
    // the settings record names the server's database.
    AccessADOClass::InitialProvider() = 1;
    MainModule::DBFileName = server.name();
    MainModule::DBPassword = TestServerDatabase::password();
    MonthClose onServer(vb::Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(onServer.Calculate(), MonthClose::Ready);
    ASSERT_GE(onServer.Save(), 0);
    // Closing the month again replaces its rows.
    ASSERT_GE(onServer.Save(), 0);
    AccessADOClass::InitialProvider() = 0;

    AccessADOClass fileRows;
    database.configure(fileRows);
    AccessADOClass serverRows;
    server.configure(serverRows);
    const std::vector<QString> expected = storedMay(fileRows);
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(storedMay(serverRows), expected);
}

// June after a gap: April's stock, May's movement, June's own rows and latest prices.
TEST_F(ServerCloseTest, TheServerGivesTheSameInventoryAfterAGap) {
    copyAllToServer();
    const std::string onFile = juneInventory();
    EXPECT_NE(onFile.find("001|0002|Bic's ペン|1.25|50|0|51.25|60|3,075\n"), std::string::npos)
        << onFile;

    AccessADOClass::InitialProvider() = 1;
    MainModule::DBFileName = server.name();
    MainModule::DBPassword = TestServerDatabase::password();
    EXPECT_EQ(juneInventory(), onFile);
}

// The close's sums: Null sales leave a sum and the average Null only where every row is
// Null, the latest day gives the price, June stays out.
TEST_F(ServerCloseTest, TheServerGivesTheSamePeriodSums) {
    movement(5, 5, "002", "0001", "1", "80", "Null", "Null");
    movement(5, 6, "003", "0009", "0", "10", "Null", "Null");
    copyAllToServer();
    const std::string onFile = maySums();
    EXPECT_EQ(onFile,
              "001|0001|10|1000|7|840|2.3333|105|-160\n"
              "001|0002|2.5|151.25|1.25|124.99|1.25|60.5|-26.26\n"
              "002|0001|31|2480|7|1050|7|80|-1350\n"
              "002|0002|20|705|16.5|957|8.25|36|252\n"
              "003|0009|0|0|Null|Null|Null|10|Null\n");

    AccessADOClass::InitialProvider() = 1;
    MainModule::DBFileName = server.name();
    MainModule::DBPassword = TestServerDatabase::password();
    EXPECT_EQ(maySums(), onFile);
}

// A class sum in range whose products' sums pass the end of the range on the way closes
// on the server too.
TEST_F(ServerCloseTest, TheServerClosesAClassSumInRange) {
    product("001", "0003", "定規", "1", "2");
    movement(5, 1, "001", "0001", "0", "1", "1", "900000000000000");
    movement(5, 1, "001", "0002", "0", "1", "1", "50000000000000");
    movement(5, 1, "001", "0003", "0", "1", "1", "-900000000000000");
    copyAllToServer();
    useServer(server);
    MonthClose close(vb::Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    ASSERT_GE(close.Save(), 0);
    AccessADOClass stored;
    server.configure(stored);
    // class 001 sells 50,000,000,000,964.99, class 002 2,007
    EXPECT_EQ(rowsOf(stored, "FixDeta_tbl",
                     {"Classify_No", "Trade_No", "Sales_Money", "ClasRankMo", "TradeRankMo"},
                     "Classify_No, Trade_No", "FixDate = #2024/5/1#"),
              (std::vector<QString>{
                  "001|0001|900000000000840|1|1", "001|0002|50000000000124.99|1|2",
                  "001|0003|-900000000000000|1|5", "002|0001|1050|2|3", "002|0002|957|2|4"}));
}

// A month's sum out of range on the server: the close is refused and the inventory of the
// month after it tells the failed read.
TEST_F(ServerCloseTest, TheServerRefusesAMonthSumOutOfRange) {
    movement(5, 1, "002", "0001", "0", "1", "500000000000000", "1");
    movement(5, 2, "002", "0001", "0", "1", "500000000000000", "1");
    copyAllToServer();
    useServer(server);
    MonthClose close(vb::Date::fromYmd(2024, 5, 1));
    EXPECT_NE(close.Calculate(), MonthClose::Ready);
    InventoryTable table;
    EXPECT_FALSE(table.Load(vb::Date::fromYmd(2024, 6, 1), "在庫管理表"));
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "Dataが抽出できませんでした。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "在庫管理表");
}

}  // namespace
