// Earlier databases whose tables were written by other hands than this release's: each
// holds the tables the migration reads, in its own words, and migrates to the same rows;
// a file without what the migration needs is refused before anything is read.

#include <sqlcipher/sqlite3.h>

#include <QFile>

#include "MigrationFixture.h"
#include "migrate/modConvert.h"
#include "platform/runtime/Date.h"

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The statements of the earlier installation, in the order they ran there.
struct EarlierFile {
    const char* name;
    QByteArray tables;
    QByteArray afterRows;  // objects made after the rows went in
};

const QByteArray kClassMaster =
    "CREATE TABLE ClassifyMast_tbl (Classify_No TEXT NOT NULL, Classify_Name TEXT, "
    "PRIMARY KEY (Classify_No));\n";
const QByteArray kProductMaster =
    "CREATE TABLE TradeMast_tbl (Classify_No TEXT NOT NULL, Trade_No TEXT NOT NULL, "
    "Trade_Name TEXT, Unit_Price CURRENCY, Sales_Price CURRENCY, basic_Quantity CURRENCY, "
    "PRIMARY KEY (Classify_No, Trade_No));\n";
const QByteArray kMovements =
    "CREATE TABLE Management_Tbl (Input_Date DATETIME NOT NULL, Classify_No TEXT NOT NULL, "
    "Trade_No TEXT NOT NULL, Cost_Quantity CURRENCY, Unit_Price CURRENCY, Cost_Money "
    "CURRENCY, Sales_Quantity CURRENCY, Sales_Money CURRENCY, PRIMARY KEY (Input_Date, "
    "Classify_No, Trade_No));\n";
const QByteArray kMonths =
    "CREATE TABLE FixDeta_tbl (FixDate DATETIME NOT NULL, Classify_No TEXT NOT NULL, "
    "Trade_No TEXT NOT NULL, Classify_Name TEXT, Trade_Name TEXT, Unit_Price CURRENCY, "
    "Cost_Quantity CURRENCY, Cost_Money CURRENCY, \"Ｓale_Price\" CURRENCY, Sales_Quantity "
    "CURRENCY, Sales_Money CURRENCY, Fix_Quantity CURRENCY, Aver_Quantity CURRENCY, "
    "ClasRankRi INTEGER, ClasRankMo INTEGER, ClasRankQu INTEGER, TradeRankRi INTEGER, "
    "TradeRankMo INTEGER, TradeRankQu INTEGER, PRIMARY KEY (FixDate, Classify_No, "
    "Trade_No));\n";
const QByteArray kSettings =
    "CREATE TABLE basic_tbl (Trade_figure INTEGER, Unit_decimal INTEGER, Sum_decimal "
    "INTEGER);\nCREATE TABLE system_type (System_id TEXT, System_type INTEGER);\n";

const std::vector<EarlierFile>& migratable() {
    static const std::vector<EarlierFile> files = {
        {"one-line statements in small letters",
         "create table ClassifyMast_tbl(Classify_No text not null primary key,Classify_Name "
         "text);create table TradeMast_tbl(Classify_No text not null,Trade_No text not "
         "null,Trade_Name text,Unit_Price currency,Sales_Price currency,basic_Quantity "
         "currency,primary key(Classify_No,Trade_No));create table Management_Tbl(Input_Date "
         "datetime not null,Classify_No text not null,Trade_No text not null,Cost_Quantity "
         "currency,Unit_Price currency,Cost_Money currency,Sales_Quantity currency,Sales_Money "
         "currency,primary key(Input_Date,Classify_No,Trade_No));create table "
         "FixDeta_tbl(FixDate datetime not null,Classify_No text not null,Trade_No text not "
         "null,Classify_Name text,Trade_Name text,Unit_Price currency,Cost_Quantity "
         "currency,Cost_Money currency,Sales_Quantity currency,Sales_Money "
         "currency,Fix_Quantity currency,Aver_Quantity currency,ClasRankRi integer,ClasRankMo "
         "integer,ClasRankQu integer,TradeRankRi integer,TradeRankMo integer,TradeRankQu "
         "integer,primary key(FixDate,Classify_No,Trade_No));" +
             kSettings,
         {}},
        {"columns in another order",
         kClassMaster +
             "CREATE TABLE TradeMast_tbl (basic_Quantity CURRENCY, Sales_Price CURRENCY, "
             "Unit_Price CURRENCY, Trade_Name TEXT, Trade_No TEXT NOT NULL, Classify_No TEXT "
             "NOT NULL, PRIMARY KEY (Classify_No, Trade_No));\n"
             "CREATE TABLE Management_Tbl (Sales_Money CURRENCY, Sales_Quantity CURRENCY, "
             "Cost_Money CURRENCY, Unit_Price CURRENCY, Cost_Quantity CURRENCY, Trade_No TEXT "
             "NOT NULL, Classify_No TEXT NOT NULL, Input_Date DATETIME NOT NULL, PRIMARY KEY "
             "(Input_Date, Classify_No, Trade_No));\n"
             "CREATE TABLE FixDeta_tbl (Fix_Quantity CURRENCY, Sales_Money CURRENCY, "
             "Sales_Quantity CURRENCY, Cost_Quantity CURRENCY, Trade_No TEXT NOT NULL, "
             "Classify_No TEXT NOT NULL, FixDate DATETIME NOT NULL, PRIMARY KEY (FixDate, "
             "Classify_No, Trade_No));\n" +
             kSettings,
         {}},
        {"columns only in the earlier tables",
         "CREATE TABLE ClassifyMast_tbl (Classify_No TEXT NOT NULL, Classify_Name TEXT, "
         "Old_Order INTEGER DEFAULT 5, PRIMARY KEY (Classify_No));\n"
         "CREATE TABLE TradeMast_tbl (Classify_No TEXT NOT NULL, Trade_No TEXT NOT NULL, "
         "Trade_Name TEXT, Maker TEXT DEFAULT 'x', Unit_Price CURRENCY, Sales_Price CURRENCY, "
         "basic_Quantity CURRENCY, PRIMARY KEY (Classify_No, Trade_No));\n"
         "CREATE TABLE Management_Tbl (Input_Date DATETIME NOT NULL, Input_Time DATETIME, "
         "Classify_No TEXT NOT NULL, Trade_No TEXT NOT NULL, Cost_Quantity CURRENCY, "
         "Unit_Price CURRENCY, Cost_Money CURRENCY, Sales_Quantity CURRENCY, Sales_Money "
         "CURRENCY, PRIMARY KEY (Input_Date, Classify_No, Trade_No));\n" +
             kMonths + kSettings,
         {}},
        {"columns only in the new tables",
         kClassMaster +
             "CREATE TABLE TradeMast_tbl (Classify_No TEXT NOT NULL, Trade_No TEXT NOT NULL, "
             "Trade_Name TEXT, Unit_Price CURRENCY, Sales_Price CURRENCY, PRIMARY KEY "
             "(Classify_No, Trade_No));\n"
             "CREATE TABLE Management_Tbl (Input_Date DATETIME NOT NULL, Classify_No TEXT NOT "
             "NULL, Trade_No TEXT NOT NULL, Cost_Quantity CURRENCY, Unit_Price CURRENCY, "
             "Sales_Quantity CURRENCY, Sales_Money CURRENCY, PRIMARY KEY (Input_Date, "
             "Classify_No, Trade_No));\n"
             "CREATE TABLE FixDeta_tbl (FixDate DATETIME NOT NULL, Classify_No TEXT NOT NULL, "
             "Trade_No TEXT NOT NULL, Cost_Quantity CURRENCY, Sales_Quantity CURRENCY, "
             "Sales_Money CURRENCY, Fix_Quantity CURRENCY, PRIMARY KEY (FixDate, Classify_No, "
             "Trade_No));\n" +
             kSettings,
         {}},
        // Nothing of what the migration does not read runs or matters: not a trigger that
        // would empty the products, not a view, not an index on a name.
        {"extra tables, an index, a view and triggers",
         kClassMaster + kProductMaster + kMovements + kMonths + kSettings +
             "CREATE TABLE Memo_tbl (Memo TEXT);\nINSERT INTO Memo_tbl VALUES ('note');\n"
             "CREATE INDEX TradeName_idx ON TradeMast_tbl (Trade_Name);\n",
         "CREATE VIEW Everything AS SELECT * FROM TradeMast_tbl, Management_Tbl;\n"
         "CREATE TRIGGER Emptying AFTER INSERT ON Memo_tbl BEGIN DELETE FROM TradeMast_tbl; "
         "END;\nCREATE TRIGGER Blocking BEFORE DELETE ON Management_Tbl BEGIN SELECT "
         "RAISE(ABORT, 'blocked'); END;\n"},
        {"no settings tables", kClassMaster + kProductMaster + kMovements + kMonths, {}},
    };
    return files;
}

class EarlierSchemaTest : public MigrationFixture {
  protected:
    // Writes the earlier database from its statements, with one class, one product, one
    // movement and one closed month (withRows), amounts stored in the file format's way.
    void writeEarlier(const EarlierFile& earlier, int format, bool withRows = true) const {
        QFile::remove(sourcePath());
        const auto amount = [format](const char* value) {
            return format == 0 ? QByteArray(value)
                               : QByteArray::number(qRound64(QByteArray(value).toDouble() * 10000));
        };
        const QByteArray day = QByteArray::number(vb::Date::fromYmd(2024, 9, 3).serial(), 'f', 1);
        const QByteArray month = QByteArray::number(vb::Date::fromYmd(2024, 9, 1).serial(), 'f', 1);
        const QByteArray rows =
            "INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', 'A');\n"
            "INSERT INTO TradeMast_tbl (Classify_No, Trade_No, Trade_Name, Unit_Price, "
            "Sales_Price) VALUES ('001', '0012', 'P', " +
            amount("80") + ", " + amount("150") +
            ");\nINSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, Cost_Quantity, "
            "Unit_Price, Sales_Quantity, Sales_Money) VALUES (" +
            day + ", '001', '0012', " + amount("3") + ", " + amount("80.5") + ", " + amount("2") +
            ", " + amount("300") +
            ");\nINSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No, Cost_Quantity, "
            "Sales_Quantity, Sales_Money, Fix_Quantity) VALUES (" +
            month + ", '001', '0012', " + amount("3") + ", " + amount("2") + ", " + amount("300") +
            ", " + amount("1") + ");\n";
        const QByteArray script = earlier.tables + (withRows ? rows : QByteArray()) +
                                  earlier.afterRows +
                                  "PRAGMA user_version = " + QByteArray::number(format) + ";";
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(sourcePath()).constData(), &db), SQLITE_OK);
        char* message = nullptr;
        const int rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, &message);
        const std::string error = message ? message : "";
        sqlite3_free(message);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << error;
    }
    InstallInfo target() const {
        InstallInfo info;
        info.InstallFolder = database.folder();
        info.DataFile = TestDatabase::fileName();
        return info;
    }
    bool migrate() {
        QString backupFolder;
        return modConvert::CheckEarlierDatabase(sourcePath()) &&
               DetaCheck_Set::CheckSourceData(sourceName(), sourceFolder(),
                                              TestDatabase::fileName(), database.folder()) == 0 &&
               modConvert::ConvertData(sourceFolder(), sourcePath(), target(), database.filePath(),
                                       nullptr, backupFolder);
    }
};

TEST_F(EarlierSchemaTest, EachEarlierFileMigratesToTheSameRows) {
    const QByteArray shipped = bytesOf(database.filePath());
    for (const EarlierFile& earlier : migratable()) {
        for (const int format : {0, 1}) {
            SCOPED_TRACE(std::string(earlier.name) + ", format " + std::to_string(format));
            QFile::remove(database.filePath());
            QFile target(database.filePath());
            ASSERT_TRUE(target.open(QIODevice::WriteOnly));
            target.write(shipped);
            target.close();
            setWidthCode(0, 2, 2);  // the earlier prices have decimals
            writeEarlier(earlier, format);
            const QByteArray before = bytesOf(sourcePath());

            ASSERT_TRUE(migrate());
            EXPECT_EQ(targetRows("SELECT Classify_No , Classify_Name FROM ClassifyMast_tbl"),
                      QStringList({"001|A"}));
            EXPECT_EQ(targetRows("SELECT Classify_No , Trade_No , Trade_Name , Unit_Price , "
                                 "Sales_Price , basic_Quantity FROM TradeMast_tbl"),
                      QStringList({"001|0012|P|80|150|"}));
            EXPECT_EQ(targetRows("SELECT Input_Date , Trade_No , Cost_Quantity , Unit_Price , "
                                 "Cost_Money , Sales_Quantity , Sales_Money FROM Management_Tbl"),
                      QStringList(
                          {vb::Date::fromYmd(2024, 9, 3).toString() + "|0012|3|80.5|241.5|2|300"}));
            EXPECT_EQ(targetRows("SELECT FixDate , Trade_No , Unit_Price , Cost_Money , "
                                 "Sales_Money , Fix_Quantity , Aver_Quantity , ClasRankRi FROM "
                                 "FixDeta_tbl"),
                      QStringList({vb::Date::fromYmd(2024, 9, 1).toString() +
                                   "|0012|80.5|241.5|300|1|0.07|1"}));
            EXPECT_EQ(bytesOf(sourcePath()), before);
        }
    }
}

TEST_F(EarlierSchemaTest, AFileWithoutWhatTheMigrationReadsIsRefused) {
    const QByteArray rest = kProductMaster + kMovements + kMonths;
    const std::vector<EarlierFile> refused = {
        {"no class master", rest, {}},
        {"a product master without product numbers",
         kClassMaster +
             "CREATE TABLE TradeMast_tbl (Classify_No TEXT NOT NULL, Trade_Name TEXT);\n" +
             kMovements + kMonths,
         {}},
        {"days kept as texts",
         kClassMaster + kProductMaster +
             "CREATE TABLE Management_Tbl (Input_Date TEXT, Classify_No TEXT, Trade_No TEXT, "
             "Cost_Quantity CURRENCY, Unit_Price CURRENCY, Sales_Quantity CURRENCY, Sales_Money "
             "CURRENCY);\n" +
             kMonths,
         {}},
        {"a view in place of the movements",
         kClassMaster + kProductMaster + kMonths +
             "CREATE VIEW Management_Tbl AS SELECT FixDate AS Input_Date, Classify_No, Trade_No, "
             "Cost_Quantity, Unit_Price, Sales_Quantity, Sales_Money FROM FixDeta_tbl;\n",
         {}},
        {"a generated column in the class master",
         "CREATE TABLE ClassifyMast_tbl (Classify_No TEXT NOT NULL, Classify_Name TEXT, Huge "
         "TEXT GENERATED ALWAYS AS (printf('%.*c', 900000000, 'x')) VIRTUAL);\n" +
             rest,
         {}},
        {"an index on an expression of the products",
         kClassMaster + rest +
             "CREATE INDEX Longest ON TradeMast_tbl (length(printf('%.*c', 900000000, 'x')));\n",
         {}},
        {"an index with a condition",
         kClassMaster + rest +
             "CREATE INDEX Some ON Management_Tbl (Trade_No) WHERE Sales_Money "
             "> 0;\n",
         {}},
    };
    for (const EarlierFile& earlier : refused) {
        SCOPED_TRACE(earlier.name);
        writeEarlier(earlier, 1, false);
        const QByteArray before = bytesOf(sourcePath());
        EXPECT_FALSE(modConvert::CheckEarlierDatabase(sourcePath()));
        EXPECT_EQ(bytesOf(sourcePath()), before);
    }
    QFile text(sourcePath());
    ASSERT_TRUE(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
    text.write("Classify_No,Classify_Name\r\n'001','A'\r\n");
    text.close();
    EXPECT_FALSE(modConvert::CheckEarlierDatabase(sourcePath()));
}

}  // namespace
