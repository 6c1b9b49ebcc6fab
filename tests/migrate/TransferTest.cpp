#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "MigrationFixture.h"
#include "core/MainModule.h"
#include "migrate/modConvert.h"
#include "screens/monthend/InventoryTable.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

class TransferTest : public MigrationFixture {
  protected:
    QString csv(const QString& table) const { return work_.path() + "/" + table + ".csv"; }
    bool exportSource(const QString& table) const {
        return modConvert::ExportTable(sourcePath(), QString(), table, csv(table));
    }
    bool importTarget(const QString& table) const {
        return modConvert::ImportTable(database.filePath(), TestDatabase::password(), table,
                                       csv(table));
    }
    InstallInfo target() const {
        InstallInfo info;
        info.InstallFolder = database.folder();
        info.DataFile = TestDatabase::fileName();
        return info;
    }
    bool convert() {
        return modConvert::ConvertData(sourceFolder(), sourcePath(), target(), database.filePath(),
                                       nullptr, backupFolder_);
    }

    QTemporaryDir work_;
    QString backupFolder_;
};

TEST_F(TransferTest, TextsDatesAndNullsSurviveTheRoundTrip) {
    runSource(
        {"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , "
         "'O''Neil, \"A\"\r\nnext')",
         "INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('002' , Null)",
         "INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
         "Unit_Price , Sales_Money) VALUES (#2024/9/30# , '001' , '0012' , 1.5 , 120.25 , "
         "Null)"});
    ASSERT_TRUE(exportSource("ClassifyMast_tbl"));
    ASSERT_TRUE(exportSource("Management_Tbl"));
    const QByteArray lines = readAll(csv("Management_Tbl"));
    EXPECT_TRUE(
        lines.startsWith("Input_Date,Classify_No,Trade_No,Cost_Quantity,Unit_Price,"
                         "Cost_Money,Sales_Quantity,Sales_Money\r\n"))
        << lines.toStdString();
    EXPECT_TRUE(lines.contains(",'001','0012',1.5,120.25,,,\r\n")) << lines.toStdString();

    runTarget({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('009' , 'x')"});
    ASSERT_TRUE(importTarget("ClassifyMast_tbl"));
    ASSERT_TRUE(importTarget("Management_Tbl"));
    EXPECT_EQ(targetRows("SELECT Classify_No , Classify_Name FROM ClassifyMast_tbl ORDER BY "
                         "Classify_No"),
              QStringList({"001|O'Neil, \"A\"\r\nnext", "002|"}));
    EXPECT_EQ(targetRows("SELECT Input_Date , Trade_No , Cost_Quantity , Unit_Price , "
                         "Sales_Money FROM Management_Tbl"),
              QStringList({vb::Date::fromYmd(2024, 9, 30).toString() + "|0012|1.5|120.25|"}));
    EXPECT_TRUE(targetValue("SELECT Sales_Money FROM Management_Tbl").isNull());
}

TEST_F(TransferTest, AmountsWithFourDecimalsCrossExactly) {
    runSource(
        {"INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
         "Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) VALUES (#2024/9/30# , "
         "'001' , '0001' , 0.0001 , 827997349168.2591 , -0.0001 , "
         "922337203685477.5807 , -922337203685477.5808)"});
    ASSERT_TRUE(exportSource("Management_Tbl"));
    ASSERT_TRUE(importTarget("Management_Tbl"));
    EXPECT_EQ(targetRows("SELECT Cost_Quantity , Unit_Price , Cost_Money , Sales_Quantity , "
                         "Sales_Money FROM Management_Tbl"),
              QStringList({"0.0001|827997349168.2591|-0.0001|922337203685477.5807|"
                           "-922337203685477.5808"}));
}

TEST_F(TransferTest, OnlyColumnsOfBothTablesAreCarriedAndAnEmptyTableEmptiesTheTarget) {
    QFile file(csv("ClassifyMast_tbl"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Classify_No,Old_Column,classify_name\r\n'001',5,'ignored'\r\n");
    file.close();
    ASSERT_TRUE(importTarget("ClassifyMast_tbl"));
    EXPECT_EQ(targetRows("SELECT Classify_No , Classify_Name FROM ClassifyMast_tbl"),
              QStringList({"001|"}));

    ASSERT_TRUE(exportSource("ClassifyMast_tbl"));
    EXPECT_EQ(readAll(csv("ClassifyMast_tbl")), "Classify_No,Classify_Name\r\n");
    ASSERT_TRUE(importTarget("ClassifyMast_tbl"));
    EXPECT_EQ(database.count("ClassifyMast_tbl"), 0);
}

TEST_F(TransferTest, AFailingRowLeavesTheTableAsItWasAndIsReported) {
    runTarget({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('009' , 'x')"});
    QFile file(csv("ClassifyMast_tbl"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // the same key twice, then a value that is no literal
    file.write("Classify_No,Classify_Name\r\n'001','a'\r\n'001','b'\r\n");
    file.close();
    EXPECT_FALSE(importTarget("ClassifyMast_tbl"));
    EXPECT_EQ(targetRows("SELECT Classify_No FROM ClassifyMast_tbl"), QStringList({"009"}));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(
        "Input_Date,Classify_No,Trade_No,Cost_Quantity\r\n'2024/9/1','001','0001',"
        "1);DROP TABLE basic_tbl\r\n");
    file.close();
    QFile::rename(csv("ClassifyMast_tbl"), csv("Management_Tbl"));
    EXPECT_FALSE(importTarget("Management_Tbl"));
    EXPECT_EQ(database.count("basic_tbl"), 1);
    EXPECT_EQ(database.count("Management_Tbl"), 0);
}

TEST_F(TransferTest, ConvertDataMovesTheFourTablesAndBacksTheEarlierDataUp) {
    setWidthCode(1);
    runSource({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , 'A')",
               "INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name , Unit_Price) "
               "VALUES ('001' , '0012' , 'pen' , 80)",
               "INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
               "Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) VALUES (#2024/9/3# , "
               "'001' , '0012' , 3 , 80 , 0 , 2 , 300)",
               "INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Classify_Name , "
               "Trade_Name , Sales_Quantity , Sales_Money) VALUES (#2024/9/1# , '001' , '0012' , "
               "'A' , 'pen' , 2 , 300)"});
    ASSERT_EQ(DetaCheck_Set::CheckSourceData(sourceName(), sourceFolder(), TestDatabase::fileName(),
                                             database.folder()),
              0);
    const QByteArray earlier = readAll(sourcePath());
    std::vector<int16_t> gauge;
    ASSERT_TRUE(modConvert::ConvertData(
        sourceFolder(), sourcePath(), target(), database.filePath(),
        [&gauge](int16_t value) { gauge.push_back(value); }, backupFolder_));
    EXPECT_EQ(readAll(sourcePath()), earlier);
    EXPECT_EQ(gauge.front(), 1);
    EXPECT_EQ(gauge.back(), 10);
    EXPECT_EQ(targetRows("SELECT Trade_No , Trade_Name FROM TradeMast_tbl"),
              QStringList({"00012|pen"}));
    EXPECT_EQ(targetRows("SELECT Trade_No , Cost_Money FROM Management_Tbl"),
              QStringList({"00012|240"}));
    EXPECT_EQ(targetRows("SELECT Trade_No , Unit_Price , Cost_Money , ClasRankMo FROM "
                         "FixDeta_tbl"),
              QStringList({"00012|80|240|1"}));
    EXPECT_EQ(database.count("ClassifyMast_tbl"), 1);

    const QStringList stamps =
        QDir(sourceFolder() + "/backup").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(stamps.size(), 1);
    EXPECT_EQ(backupFolder_, sourceFolder() + "/backup/" + stamps[0]);
    EXPECT_EQ(readAll(backupFolder_ + "/morvik.mdb"), earlier);
    const QString convert = database.folder() + "/convert";
    EXPECT_TRUE(QFileInfo::exists(convert + "/FixDeta_tbl.csv"));
    EXPECT_FALSE(QFileInfo::exists(convert + "/" + TestDatabase::fileName()));
}

// The stock value of a closed month's inventory table in the database.
vb::Currency inventoryValue(const QString& folder, const QString& name, const QString& password,
                            const vb::Date& month) {
    MainModule::DBFolder = folder;
    MainModule::DBFileName = name;
    MainModule::DBPassword = password;
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = vb::Date::fromYmd(2024, 10, 1);
    InventoryTable table;
    EXPECT_TRUE(table.Load(month, "在庫表"));
    return table.Total();
}

TEST_F(TransferTest, TheFirstMonthArrivesWithItsPricesAndItsStockValue) {
    // September is the first month (no daily rows); October was closed from its days
    runSource({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , 'A')",
               "INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name , Unit_Price , "
               "Sales_Price) VALUES ('001' , '0001' , 'pen' , 80 , 120)",
               "INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name , Unit_Price , "
               "Sales_Price) VALUES ('001' , '0002' , 'ink' , 35.5 , 60)",
               "INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Trade_Name , "
               "Unit_Price , Cost_Money , Fix_Quantity) VALUES (#2024/9/1# , '001' , '0001' , "
               "'pen' , 80 , 0 , 12)",
               "INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Trade_Name , "
               "Unit_Price , Cost_Money , Fix_Quantity) VALUES (#2024/9/1# , '001' , '0002' , "
               "'ink' , 35.5 , 0 , 7)",
               "INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
               "Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) VALUES (#2024/10/3# , "
               "'001' , '0001' , 5 , 82 , 410 , 2 , 240)",
               "INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Trade_Name , "
               "Unit_Price , Cost_Quantity , Cost_Money , Sales_Quantity , Sales_Money , "
               "Fix_Quantity) VALUES (#2024/10/1# , '001' , '0001' , 'pen' , 80 , 5 , 0 , 2 , "
               "240 , 15)"});
    const vb::Date september = vb::Date::fromYmd(2024, 9, 1);
    const vb::Currency before = inventoryValue(sourceFolder(), sourceName(), QString(), september);
    EXPECT_EQ(before, vb::Currency::fromDouble(12 * 80 + 7 * 35.5).roundHalfAwayFromZero(0));
    ASSERT_EQ(DetaCheck_Set::CheckSourceData(sourceName(), sourceFolder(), TestDatabase::fileName(),
                                             database.folder()),
              0);
    ASSERT_TRUE(convert());
    EXPECT_EQ(
        targetRows("SELECT FixDate , Trade_No , Unit_Price , Cost_Money FROM FixDeta_tbl "
                   "ORDER BY FixDate , Trade_No"),
        QStringList({september.toString() + "|0001|80|0", september.toString() + "|0002|35.5|0",
                     vb::Date::fromYmd(2024, 10, 1).toString() + "|0001|82|410"}));
    EXPECT_EQ(inventoryValue(database.folder(), TestDatabase::fileName(), TestDatabase::password(),
                             september),
              before);
}

TEST_F(TransferTest, AFailedRunPutsTheNewDatabaseBack) {
    runTarget({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('009' , 'x')"});
    runSource({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , 'A')",
               "DROP TABLE FixDeta_tbl"});
    const QByteArray before = readAll(database.filePath());
    EXPECT_FALSE(convert());
    EXPECT_EQ(readAll(database.filePath()), before);
    EXPECT_FALSE(QFileInfo::exists(database.folder() + "/convert/" + TestDatabase::fileName()));
}

TEST_F(TransferTest, AnEarlierInstallationWithoutItsDataFilesStopsBeforeAnyChange) {
    QFile::remove(sourceFolder() + "/backup.ini");
    EXPECT_FALSE(convert());
    EXPECT_FALSE(QFileInfo::exists(database.folder() + "/convert"));
    EXPECT_FALSE(QFileInfo::exists(sourceFolder() + "/backup"));

    // a copy that fails takes its dated folder away again
    QFile ini(sourceFolder() + "/backup.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[BackupFile]\r\nFile1=morvik.mdb\r\nFile2=missing.xlsx\r\n");
    ini.close();
    EXPECT_FALSE(modConvert::BackupInstallation(sourceFolder(), work_.path(), backupFolder_));
    EXPECT_TRUE(QDir(sourceFolder() + "/backup").isEmpty());
}

}  // namespace
