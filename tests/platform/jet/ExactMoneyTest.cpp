#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>

#include "TestDatabase.h"
#include "platform/jet/ConnectionText.h"
#include "platform/jet/IntegrityCheck.h"
#include "platform/jet/Session.h"

namespace {

using jet::Connection;
using jet::Recordset;
using vb::Currency;
using vb::Variant;

class ExactMoneyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = db_.create("db.mde", "pw");
        ASSERT_FALSE(connection_.open(TestDatabase::connectionText(path_, "pw")));
    }

    void run(const QString& sql) {
        const jet::Error error = connection_.execute(sql);
        ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
    }

    void addMovement(const QString& classify, const QString& cost, const QString& sales,
                     const QString& day = QStringLiteral("2024/9/1")) {
        run(QStringLiteral("INSERT INTO Management_Tbl(Input_Date , Classify_No , Trade_No , "
                           "Cost_Money , Sales_Money) VALUES (#%1#,'%2','0001',%3,%4)")
                .arg(day, classify, cost, sales));
    }

    std::vector<std::vector<Variant>> rows(const QString& sql) {
        std::vector<std::vector<Variant>> result;
        Recordset records;
        const jet::Error error = records.open(sql, connection_);
        EXPECT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
        for (; !records.eof(); records.moveNext()) {
            std::vector<Variant> row;
            for (int i = 0; i < records.fieldCount(); ++i) {
                row.push_back(records.value(i));
            }
            result.push_back(row);
        }
        return result;
    }

    Variant value(const QString& sql) { return queryValue(connection_, sql); }

    TestDatabase db_;
    QString path_;
    Connection connection_;
};

Variant amount(const char* text) {
    return Variant(*Currency::parse(QString::fromLatin1(text)));
}

TEST_F(ExactMoneyTest, AmountsComeBackExactlyThroughEveryAggregate) {
    const char* const amounts[] = {"0.0001",
                                   "-0.0001",
                                   "827997349168.2591",
                                   "12345678.1234",
                                   "0",
                                   "922337203685477.5807",
                                   "-922337203685477.5808"};
    for (const char* text : amounts) {
        SCOPED_TRACE(text);
        run("DELETE FROM Management_Tbl");
        addMovement("001", "0", text);
        const Variant expected = amount(text);
        for (const char* sql :
             {"SELECT Sales_Money FROM Management_Tbl",
              "SELECT Sum(Sales_Money) FROM Management_Tbl",
              "SELECT Max(Sales_Money) FROM Management_Tbl",
              "SELECT Min(Sales_Money) FROM Management_Tbl",
              "SELECT Avg(Sales_Money) FROM Management_Tbl",
              "SELECT Last(Sales_Money) FROM Management_Tbl",
              "SELECT Total FROM (SELECT Sum(Sales_Money) AS Total FROM Management_Tbl) AS T",
              "SELECT * FROM (SELECT Sum(Sales_Money) AS Total FROM Management_Tbl) AS T"}) {
            EXPECT_EQ(value(sql), expected) << sql;
        }
        EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Management_Tbl Where Sales_Money = ") +
                        text),
                  Variant(int32_t{1}));
    }
}

TEST_F(ExactMoneyTest, EqualAmountsAreEqualAndFallToTheTieBreak) {
    addMovement("003", "0.1", "0.3");
    addMovement("001", "0", "0.2");
    addMovement("002", "0.7", "0.9");
    addMovement("004", "0.3", "0.1");
    addMovement("005", "0", "-0.2");
    const auto profits = rows(
        "SELECT Classify_No , RiekM FROM (SELECT Classify_No , Sum([Sales_Money]-[Cost_Money]) "
        "AS RiekM From Management_Tbl GROUP BY Classify_No ORDER BY "
        "Sum([Sales_Money]-[Cost_Money]) DESC , Classify_No) AS ClaRiekiDeta");
    const std::vector<std::vector<Variant>> expected = {
        {Variant("001"), amount("0.2")},  {Variant("002"), amount("0.2")},
        {Variant("003"), amount("0.2")},  {Variant("004"), amount("-0.2")},
        {Variant("005"), amount("-0.2")},
    };
    EXPECT_EQ(profits, expected);
    EXPECT_EQ(value("SELECT COUNT(*) FROM Management_Tbl Where Sales_Money - Cost_Money = 0.2"),
              Variant(int32_t{3}));
    EXPECT_EQ(value("SELECT COUNT(*) FROM Management_Tbl Where Sales_Money Between 0.2 And 0.3"),
              Variant(int32_t{2}));
}

TEST_F(ExactMoneyTest, ArithmeticIsTypedAndRoundedAsTheEngineDoes) {
    addMovement("001", "1.5", "0.0003", "2024/9/1");
    addMovement("001", "2.5", "0.0001", "2024/9/2");
    addMovement("002", "3", "7", "2024/9/1");
    const struct {
        const char* sql;
        Variant expected;
    } cases[] = {
        // amount times amount: four decimals, halves to even (0.00045 and 0.00025)
        {"SELECT Sum(Cost_Money * Sales_Money) FROM Management_Tbl Where Classify_No = '001'",
         amount("0.0006")},
        {"SELECT Cost_Money * 3 FROM Management_Tbl Where Classify_No = '002'", amount("9")},
        {"SELECT Cost_Money + 1 FROM Management_Tbl Where Classify_No = '002'", amount("4")},
        {"SELECT -Sales_Money FROM Management_Tbl Where Classify_No = '002'", amount("-7")},
        {"SELECT Avg(Cost_Money) FROM Management_Tbl Where Classify_No = '001'", amount("2")},
        // averages rounded half to even at the fourth decimal
        {"SELECT Avg(Sales_Money) FROM Management_Tbl Where Classify_No = '001'", amount("0.0002")},
        // a division gives a Double
        {"SELECT Sales_Money / Cost_Money FROM Management_Tbl Where Classify_No = '002'",
         Variant(7.0 / 3.0)},
        {"SELECT Sum(Cost_Money) / 2 FROM Management_Tbl", Variant(3.5)},
        {"SELECT Sales_Money & '円' FROM Management_Tbl Where Classify_No = '002'", Variant("7円")},
        {"SELECT COUNT(*) FROM Management_Tbl Where Cost_Money > 2.25", Variant(int32_t{2})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Cost_Money In (1.5, 3)", Variant(int32_t{2})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(value(c.sql), c.expected) << c.sql;
    }
}

TEST_F(ExactMoneyTest, WritesRoundToFourDecimalsAndRefuseWhatIsNoAmount) {
    addMovement("001", "'12.34565'", "0.00015");
    run("UPDATE Management_Tbl SET Cost_Money = Cost_Money + 0.0001 Where Classify_No = '001'");
    EXPECT_EQ(rows("SELECT Cost_Money , Sales_Money FROM Management_Tbl"),
              (std::vector<std::vector<Variant>>{{amount("12.3457"), amount("0.0002")}}));
    EXPECT_EQ(connection_.execute("UPDATE Management_Tbl SET Cost_Money = 'abc'").number,
              jet::errExecution);
    EXPECT_EQ(connection_.execute("UPDATE Management_Tbl SET Cost_Money = 922337203685478").number,
              jet::errExecution);
    EXPECT_EQ(value("SELECT Cost_Money FROM Management_Tbl"), amount("12.3457"));
}

TEST_F(ExactMoneyTest, AWrittenAmountBeyondTheRangeIsAnOverflowAndNothingChanges) {
    addMovement("001", "922337203685477.5807", "0.0001");
    addMovement("002", "-922337203685477.5808", "1");
    for (const char* sql :
         {"UPDATE Management_Tbl SET Cost_Money = Cost_Money + Sales_Money",
          "UPDATE Management_Tbl SET Cost_Money = Cost_Money - Sales_Money",
          "UPDATE Management_Tbl SET Cost_Money = -Cost_Money Where Classify_No = '002'",
          "INSERT INTO Management_Tbl(Input_Date , Classify_No , Trade_No , Cost_Money) VALUES "
          "(#2024/9/2#,'003','0001',922337203685477.5807 + 0.0001)"}) {
        const jet::Error error = connection_.execute(sql);
        EXPECT_EQ(error.number, jet::errExecution) << sql;
        EXPECT_TRUE(error.description.contains("オーバーフロー")) << sql;
    }
    EXPECT_EQ(rows("SELECT Cost_Money , Sales_Money FROM Management_Tbl ORDER BY Classify_No"),
              (std::vector<std::vector<Variant>>{{amount("922337203685477.5807"), amount("0.0001")},
                                                 {amount("-922337203685477.5808"), amount("1")}}));
    // within the range a computed amount is written as before
    run("UPDATE Management_Tbl SET Cost_Money = Cost_Money - Sales_Money Where Classify_No = "
        "'001'");
    EXPECT_EQ(value("SELECT Cost_Money FROM Management_Tbl Where Classify_No = '001'"),
              amount("922337203685477.5806"));
}

// The texts of the values that a query finds in the file, read by the engine alone.
std::vector<QByteArray> storedTexts(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    std::vector<QByteArray> texts;
    EXPECT_FALSE(jet::openKeyed(path, "pw", false, 2000, db, true));
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            texts.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close_v2(db);
    return texts;
}

TEST_F(ExactMoneyTest, StatementsAreWrittenAlikeWhateverTheirFormAndForTheirOwnFile) {
    // Literal rows are rewritten apart from other statements, and each row after the first
    // of its table from what the first left; a statement run again is not read again.
    for (const char* values :
         {"#2024/9/1#,'001','0001',12.5,'-0.00015'", "#2024/9/1#,'002','0001',12.5,'-0.00015'",
          "#2024/9/1#,'003','0001',(12.5),-0.00015",
          "#2024/9/1#,'004','0001',12.5 , '-0.00015'  "}) {
        run(QStringLiteral("INSERT INTO Management_Tbl(Input_Date,Classify_No,Trade_No,"
                           "Cost_Money,Sales_Money) VALUES (%1)")
                .arg(QLatin1String(values)));
    }
    const char* const update = "UPDATE Management_Tbl SET Cost_Money = 7";
    run(update);
    connection_.close();
    EXPECT_EQ(storedTexts(path_,
                          "SELECT DISTINCT Input_Date, Cost_Money, Sales_Money FROM "
                          "Management_Tbl"),
              (std::vector<QByteArray>{"45536", "70000", "-2"}));

    // The same statements in a file whose column holds no currency write it as it stands.
    const QString other = db_.path("other.mde");
    ASSERT_FALSE(jet::createDatabase(
        other, "pw",
        "CREATE TABLE Management_Tbl (Input_Date DATETIME, Classify_No TEXT, Trade_No TEXT, "
        "Cost_Money INTEGER, Sales_Money CURRENCY)"));
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(other, "pw")));
    ASSERT_FALSE(connection.execute(
        "INSERT INTO Management_Tbl(Input_Date,Classify_No,Trade_No,Cost_Money,Sales_Money) "
        "VALUES (#2024/9/1#,'009','0001',12.5,'-0.00015')"));
    EXPECT_EQ(storedTexts(other, "SELECT Input_Date, Cost_Money, Sales_Money FROM Management_Tbl"),
              (std::vector<QByteArray>{"45536", "12.5", "-2"}));
    ASSERT_FALSE(connection.execute(update));
    connection.close();
    EXPECT_EQ(storedTexts(other, "SELECT Cost_Money FROM Management_Tbl"),
              (std::vector<QByteArray>{"7"}));
}

// A row after the first of its table goes through a statement prepared once, its values
// bound: each value is stored exactly as the same row written out stores it, and a value
// that is more than a plain literal still takes the written way.
TEST_F(ExactMoneyTest, RowsAfterTheFirstAreStoredAsTheirWrittenRowsStoreThem) {
    const struct {
        const char* name;
        const char* price;
        const char* rank;
        const char* stored;  // Trade_Name, Ｓale_Price, ClasRankRi: type and value
    } cases[] = {
        {"'O''Brien #1 [x] & y/z'", "12.5", "7",
         "text:'O''Brien #1 [x] & y/z' integer:125000 integer:7"},
        {"Null", "-0.0001", "-3", "null:NULL integer:-1 integer:-3"},
        {"12", "'-12.34565'", "Null", "text:'12' integer:-123456 null:NULL"},
        {"-5", "Null", "007", "text:'-5' null:NULL integer:7"},
        {"#2024/5/1#", "922337203685477.5807", "1.5",
         "text:'45413' integer:9223372036854775807 real:1.5"},
        {"'ａｂｃ'", "-922337203685477.5808", "-0",
         "text:'ａｂｃ' integer:-9223372036854775808 integer:0"},
        {"''", "0.00005", "#2024/5/1 12:00#", "text:'' integer:0 real:45413.5"},
    };
    const auto insert = [this](int key, int blanks, const auto& c) {
        run(QStringLiteral(
                "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No, Trade_Name, "
                "[Ｓale_Price], ClasRankRi)%1VALUES (#2024/5/1#, '%2', '0001', %3, %4, %5)")
                .arg(QString(blanks, u' '), QString::number(key), QString::fromUtf8(c.name),
                     QString::fromUtf8(c.price), QString::fromUtf8(c.rank)));
    };
    int key = 100;
    for (const auto& c : cases) {
        // a prefix with a number of blanks of its own is met for the first time: written out
        insert(key, key, c);
        insert(key + 1, 1, c);
        key += 2;
    }
    connection_.close();
    const std::vector<QByteArray> stored = storedTexts(
        path_,
        "SELECT typeof(Trade_Name) || ':' || quote(Trade_Name) || ' ' || typeof(\"Ｓale_Price\") "
        "|| ':' || quote(\"Ｓale_Price\") || ' ' || typeof(ClasRankRi) || ':' || "
        "quote(ClasRankRi) FROM FixDeta_tbl ORDER BY Classify_No");
    ASSERT_EQ(stored.size(), 2 * std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(stored[2 * i], cases[i].stored) << "written: " << cases[i].name;
        EXPECT_EQ(stored[2 * i + 1], cases[i].stored) << "bound: " << cases[i].name;
    }
}

// A text with a NUL is refused on both ways, the written one and the bound one, and
// nothing of the row is stored.
TEST_F(ExactMoneyTest, ATextWithANulIsRefusedWrittenAndBound) {
    const auto row = [](int key, const QString& name) {
        return QStringLiteral(
                   "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No, "
                   "Trade_Name) VALUES (#2024/5/1#, '%1', '0001', '%2')")
            .arg(QString::number(key), name);
    };
    const QString withNul = QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b");
    // first of its form: written out
    EXPECT_EQ(connection_.execute(row(1, withNul)).number, jet::errSyntax);
    run(row(2, QStringLiteral("plain")));
    // the form is known now: the row would be bound
    EXPECT_EQ(connection_.execute(row(3, withNul)).number, jet::errSyntax);
    EXPECT_EQ(value("SELECT Count(*) FROM FixDeta_tbl"), Variant(int32_t(1)));
}

// A file as the previous release wrote it: currency as the engine's numbers, format 0.
class PreviousFormatTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = db_.create("old.mde", "pw");
        sqlite3* db = nullptr;
        ASSERT_FALSE(jet::openKeyed(path_, "pw", false, 2000, db));
        const char* script =
            "PRAGMA user_version = 0;"
            "INSERT INTO Management_Tbl VALUES (45536, '001', '0001', 100, 12.5);"
            "INSERT INTO Management_Tbl VALUES (45537, '001', '0001', 0.30000000000000004, "
            "1234.5678);"
            "INSERT INTO Management_Tbl VALUES (45538, '001', '0001', NULL, -0.1);"
            "INSERT INTO FixDeta_tbl VALUES (45536, '001', '0001', 'x', 827997349168.2591, 3);";
        ASSERT_EQ(sqlite3_exec(db, script, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close_v2(db);
    }

    static std::vector<Variant> amounts(Connection& connection) {
        std::vector<Variant> values;
        Recordset records;
        EXPECT_FALSE(records.open(
            "SELECT Cost_Money , Sales_Money FROM Management_Tbl ORDER BY Input_Date", connection));
        for (; !records.eof(); records.moveNext()) {
            values.push_back(records.value(0));
            values.push_back(records.value(1));
        }
        values.push_back(queryValue(connection, "SELECT Sum(Sales_Money) FROM Management_Tbl"));
        values.push_back(queryValue(connection, "SELECT [Ｓale_Price] FROM FixDeta_tbl"));
        return values;
    }

    int format() const {
        sqlite3* db = nullptr;
        EXPECT_FALSE(jet::openKeyed(path_, "pw", false, 2000, db, true));
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr);
        sqlite3_step(statement);
        const int version = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close_v2(db);
        return version;
    }

    QByteArray bytes() const {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestDatabase db_;
    QString path_;
};

TEST_F(PreviousFormatTest, ReadOnlyItIsReadAsItStandsAndNeverChanged) {
    const QByteArray before = bytes();
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path_, "pw") + "Mode=Read;"));
    std::vector<Variant> values = amounts(connection);
    ASSERT_EQ(values.size(), 8u);
    // the engine's numbers cannot hold every digit of the price: it is read as before
    EXPECT_EQ(values.back(), Variant(Currency::fromDouble(827997349168.2591)));
    values.pop_back();
    EXPECT_EQ(values, (std::vector<Variant>{amount("100"), amount("12.5"), amount("0.3"),
                                            amount("1234.5678"), Variant(vb::Null), amount("-0.1"),
                                            amount("1246.9678")}));
    EXPECT_EQ(connection.execute("DELETE FROM Management_Tbl").number, jet::errExecution);
    connection.close();
    EXPECT_EQ(format(), 0);
    EXPECT_EQ(bytes(), before);
}

TEST_F(PreviousFormatTest, CheckingItsPagesChangesNothing) {
    const QByteArray before = bytes();
    EXPECT_FALSE(jet::checkIntegrity(path_, "pw"));
    EXPECT_EQ(format(), 0);
    EXPECT_EQ(bytes(), before);
}

TEST_F(PreviousFormatTest, OpenedForWritingItIsConvertedOnceWithItsValuesUnchanged) {
    Connection reader;
    ASSERT_FALSE(reader.open(TestDatabase::connectionText(path_, "pw") + "Mode=Read;"));
    const std::vector<Variant> asTheyStood = amounts(reader);
    reader.close();

    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path_, "pw")));
    EXPECT_EQ(amounts(connection), asTheyStood);
    connection.close();
    EXPECT_EQ(format(), jet::kFileFormat);

    // opened again, nothing is converted a second time
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path_, "pw")));
    EXPECT_EQ(amounts(connection), asTheyStood);
    ASSERT_FALSE(connection.execute(
        "INSERT INTO Management_Tbl(Input_Date , Classify_No , Trade_No , Sales_Money) VALUES "
        "(#2024/9/9#,'001','0002',0.2)"));
    EXPECT_EQ(queryValue(connection,
                         "SELECT COUNT(*) FROM Management_Tbl Where Sales_Money + -0.1 = 0.1"),
              Variant(int32_t{1}));
}

// Every value of every table of the file.
std::vector<Variant> everyValue(Connection& connection) {
    std::vector<Variant> values;
    for (const char* table : {"basic_tbl", "system_type", "ClassifyMast_tbl", "TradeMast_tbl",
                              "Management_Tbl", "FixDeta_tbl"}) {
        Recordset records;
        EXPECT_FALSE(records.open(QStringLiteral("SELECT * FROM ") + table, connection)) << table;
        for (; !records.eof(); records.moveNext()) {
            for (int i = 0; i < records.fieldCount(); ++i) {
                values.push_back(records.value(i));
            }
        }
    }
    return values;
}

TEST(EarlierEngineFileTest, AFileOfThePreviousReleaseIsConvertedWithItsValuesUnchanged) {
    TestDatabase db;
    const QString path = db.path("morvik2.mde");
    ASSERT_TRUE(QFile::copy(QStringLiteral(MORVIK_JET_TEST_FILES "/sqlcipher3.mde"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QString text = TestDatabase::connectionText(path, "KORUMA4VXTB");

    Connection connection;
    ASSERT_FALSE(connection.open(text + "Mode=Read;"));
    const std::vector<Variant> asTheyStood = everyValue(connection);
    connection.close();
    ASSERT_FALSE(asTheyStood.empty());
    EXPECT_NE(std::find(asTheyStood.begin(), asTheyStood.end(), amount("120.5")),
              asTheyStood.end());

    ASSERT_FALSE(connection.open(text));
    EXPECT_EQ(everyValue(connection), asTheyStood);
    EXPECT_EQ(queryValue(connection, "PRAGMA user_version"), Variant(int32_t{jet::kFileFormat}));
}

TEST_F(PreviousFormatTest, ANewerFormatIsRefusedAndLeftAlone) {
    sqlite3* db = nullptr;
    ASSERT_FALSE(jet::openKeyed(path_, "pw", false, 2000, db));
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 2", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close_v2(db);
    const QByteArray before = bytes();
    for (const char* mode : {"", "Mode=Read;"}) {
        Connection connection;
        const jet::Error error = connection.open(TestDatabase::connectionText(path_, "pw") + mode);
        EXPECT_EQ(error.number, jet::errNewerFormat) << mode;
        EXPECT_TRUE(error.description.contains("新しい版")) << error.description.toStdString();
        EXPECT_FALSE(connection.isOpen());
    }
    EXPECT_EQ(bytes(), before);
}

// A conversion cut off before its commit: the engine's pages half written, the journal
// left beside the file.
TEST_F(PreviousFormatTest, AConversionCutOffLeavesThePreviousFormatAndIsDoneAgain) {
    Connection reader;
    ASSERT_FALSE(reader.open(TestDatabase::connectionText(path_, "pw") + "Mode=Read;"));
    const std::vector<Variant> asTheyStood = amounts(reader);
    reader.close();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sqlite3* db = nullptr;
        if (jet::openKeyed(path_, "pw", false, 2000, db)) {
            _exit(1);
        }
        const char* script =
            "PRAGMA cache_size = 1; BEGIN IMMEDIATE;"
            "WITH RECURSIVE n(v) AS (SELECT 1 UNION ALL SELECT v + 1 FROM n WHERE v < 400) "
            "INSERT INTO FixDeta_tbl SELECT 45536 + v, '001', '0001', hex(randomblob(200)), 1, 1 "
            "FROM n;"
            "UPDATE Management_Tbl SET Sales_Money = CAST(Sales_Money * 10000 AS INTEGER);"
            "PRAGMA user_version = 1;";
        _exit(sqlite3_exec(db, script, nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(path_ + "-journal"));

    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path_, "pw")));
    EXPECT_EQ(amounts(connection), asTheyStood);
    EXPECT_EQ(queryValue(connection, "SELECT COUNT(*) FROM FixDeta_tbl"), Variant(int32_t{1}));
    connection.close();
    EXPECT_EQ(format(), jet::kFileFormat);
}

TEST_F(ExactMoneyTest, LiteralsWithMoreDecimalsThanAnAmountAreMetAsDoubles) {
    addMovement("001", "0", "0.0001");
    addMovement("002", "-5.5", "0");
    addMovement("003", "Null", "Null");
    const struct {
        const char* sql;
        Variant expected;
    } cases[] = {
        {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money = 0.00005", Variant(int32_t{0})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money >= 0.00005", Variant(int32_t{1})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money < 0.00005", Variant(int32_t{1})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money < '0.00005'", Variant(int32_t{1})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money Between 0.00005 And 1",
         Variant(int32_t{1})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money In (0.00005, 0.00014)",
         Variant(int32_t{0})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Cost_Money > -5.50001", Variant(int32_t{2})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Cost_Money < 10000000000000000000",
         Variant(int32_t{2})},
        {"SELECT COUNT(*) FROM Management_Tbl Where Cost_Money = -55e-1", Variant(int32_t{1})},
        {"SELECT Cost_Money + 0.00005 FROM Management_Tbl Where Classify_No = '002'",
         Variant(-5.5 + 0.00005)},
        {"SELECT Cost_Money * 1.23456 FROM Management_Tbl Where Classify_No = '002'",
         Variant(-5.5 * 1.23456)},
        // a Double times an amount is a Double, not rounded to four decimals
        {"SELECT Sales_Money * 1.5 FROM Management_Tbl Where Classify_No = '001'",
         Variant(0.0001 * 1.5)},
        {"SELECT Cost_Money * 2 FROM Management_Tbl Where Classify_No = '002'", amount("-11")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(value(c.sql), c.expected) << c.sql;
    }
    // a text that is no number is no amount to compare with or to add
    for (const char* text : {"'inf'", "'0.00005x'", "'abc'"}) {
        for (const char* sql : {"SELECT COUNT(*) FROM Management_Tbl Where Sales_Money < %1",
                                "SELECT Sales_Money + %1 FROM Management_Tbl"}) {
            Recordset records;
            EXPECT_TRUE(records.open(QString::fromUtf8(sql).arg(text), connection_)) << sql << text;
        }
    }
}

TEST_F(ExactMoneyTest, IIfOfAmountsIsAnAmount) {
    addMovement("001", "1.5", "2.5");
    const struct {
        const char* sql;
        Variant expected;
    } cases[] = {
        {"SELECT IIf(Cost_Money > 2, Cost_Money, Sales_Money) FROM Management_Tbl", amount("2.5")},
        {"SELECT IIf(Cost_Money > 1, Cost_Money, 0) FROM Management_Tbl", amount("1.5")},
        {"SELECT Sum(IIf(Cost_Money > 2, 0, Sales_Money - Cost_Money)) FROM Management_Tbl",
         amount("1")},
        // beside a number with more decimals than an amount holds it is a Double
        {"SELECT IIf(Cost_Money > 2, Cost_Money, 0.12345) FROM Management_Tbl", Variant(0.12345)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(value(c.sql), c.expected) << c.sql;
    }
}

TEST_F(ExactMoneyTest, AFormNotUnderstoodIsRefusedWhole) {
    addMovement("001", "1.5", "2.5");
    for (const char* sql :
         {"SELECT Cost_Money FROM Management_Tbl INTERSECT SELECT Sales_Money FROM "
          "Management_Tbl",
          "SELECT Cost_Money FROM Management_Tbl LIMIT 1",
          "SELECT Cost_Money FROM Management_Tbl UNION SELECT Classify_No FROM Management_Tbl",
          "SELECT Cost_Money FROM Management_Tbl UNION SELECT 0.12345 FROM Management_Tbl",
          "SELECT Cost_Money FROM Management_Tbl UNION SELECT * FROM Management_Tbl",
          "SELECT Cost_Money + Nothing_Money FROM Management_Tbl",
          "SELECT T.Cost_Money FROM Management_Tbl AS U", "SELECT Cost_Money FROM Nothing_Tbl",
          "SELECT Cost_Money FROM Management_Tbl WHERE Cost_Money IN (SELECT Classify_No FROM "
          "Management_Tbl)",
          "WITH T AS (SELECT Cost_Money FROM Management_Tbl) SELECT Cost_Money FROM T",
          "SELECT Cost_Money FROM Management_Tbl Management_Tbl Management_Tbl"}) {
        Recordset records;
        EXPECT_EQ(records.open(sql, connection_).number, jet::errSyntax) << sql;
    }
}

TEST(ConnectionTextQuoteTest, AnyFolderNameComesBackWhole) {
    QTemporaryDir dir;
    for (const QString folder :
         {QStringLiteral("a;b"), QStringLiteral("O'Neil's data"), QStringLiteral(" blanks "),
          QStringLiteral("say \"hi\";'x'"), QStringLiteral("{braced}"), QStringLiteral("a=b;c={d}"),
          QStringLiteral("plain")}) {
        SCOPED_TRACE(folder.toStdString());
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
        const QString path = dir.path() + u'/' + folder + QStringLiteral("/db.mde");
        ASSERT_FALSE(jet::createDatabase(path, "p;w'", TestDatabase::kSchema));
        const QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                             jet::ConnectionText::quote(path) +
                             QStringLiteral(";Jet OLEDB:Database Password=") +
                             jet::ConnectionText::quote("p;w'") + u';';
        const auto items = jet::ConnectionText::parse(text);
        ASSERT_TRUE(items);
        EXPECT_EQ(items->value(u"Data Source"), path);
        Connection connection;
        EXPECT_FALSE(connection.open(text));
        EXPECT_EQ(queryValue(connection, "SELECT COUNT(*) FROM Management_Tbl"),
                  Variant(int32_t{0}));
    }
}

}  // namespace
