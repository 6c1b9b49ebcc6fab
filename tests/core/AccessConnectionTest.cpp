#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>

#include "core/AccessADOClass.h"
#include "platform/jet/Connection.h"
#include "platform/jet/Session.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/support/CraftedDatabases.h"
#include "tests/support/DatabaseTest.h"
#include "tests/support/TestServerDatabase.h"

namespace {

const QString kNotFound = QStringLiteral("DataBaseが見つかりません。");
const QString kDamaged = QStringLiteral("DataBaseが破損している可能性があります。");
const QString kNotConnected = QStringLiteral("DataBaseサーバーに接続できませんでした。");

class AccessConnectionTest : public DatabaseTest {
  protected:
    // A count of basic_tbl with the given database file and password.
    int32_t CountBasic(AccessADOClass& access, const QString& name, const QString& password) {
        access.AccessFlag("2");
        access.DBName(name);
        access.Password(password);
        access.DBPath(database.folder());
        access.AddFromVerse("basic_tbl");
        return access.Execute();
    }
};

TEST_F(AccessConnectionTest, ShippedFilesOpenWithTheirPasswords) {
    AccessADOClass keyed;
    EXPECT_EQ(CountBasic(keyed, database.fileName(), database.password()), 1);

    const QString development = database.folder() + "/morvik2.mdb";
    ASSERT_TRUE(QFile::copy(TestDatabase::stageFolder() + "/morvik2.mdb", development));
    AccessADOClass plain;
    EXPECT_EQ(CountBasic(plain, "morvik2.mdb", ""), 1);
}

TEST_F(AccessConnectionTest, MissingFileIsMinusOneAndNotCreated) {
    AccessADOClass access;
    for (const char* code : {"1", "7", "13"}) {
        access.AccessFlag(code);
        access.DBName("absent.mde");
        access.DBPath(database.folder());
        EXPECT_EQ(access.Execute(), AccessADOClass::FileNotFound) << code;
        EXPECT_EQ(access.ErrDetail(), kNotFound);
    }
    EXPECT_FALSE(QFile::exists(database.folder() + "/absent.mde"));

    AccessADOClass noFolder;
    noFolder.DBName(database.fileName());
    noFolder.DBPath(database.folder() + "/nowhere");
    EXPECT_EQ(noFolder.Execute(), AccessADOClass::FileNotFound);
}

TEST_F(AccessConnectionTest, UnopenableFileIsMinusThousand) {
    QFile garbage(database.folder() + "/garbage.mde");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();

    AccessADOClass damaged;
    EXPECT_EQ(CountBasic(damaged, "garbage.mde", database.password()), AccessADOClass::CannotOpen);
    EXPECT_EQ(damaged.ErrDetail(), kDamaged);
    EXPECT_FALSE(damaged.NewerFormat());

    AccessADOClass wrongPassword;
    EXPECT_EQ(CountBasic(wrongPassword, database.fileName(), "WRONG"), AccessADOClass::CannotOpen);
    EXPECT_EQ(wrongPassword.ErrDetail(), kDamaged);
}

// A table page that does not decrypt fails every read of it the same way, selects and
// counts, the first and the next.
TEST_F(AccessConnectionTest, ADamagedTablePageIsMinusThousandOnEveryRead) {
    const QString made = CraftedDatabases::withFlippedPage(database.folder() + "/damaged.mde",
                                                           database.password(), "basic_tbl");
    ASSERT_TRUE(made.isEmpty()) << made.toStdString();
    for (const char* code : {"1", "2", "1"}) {
        AccessADOClass access;
        access.AddField("Trade_figure");
        EXPECT_EQ(CountBasic(access, "damaged.mde", database.password()),
                  AccessADOClass::CannotOpen)
            << code;
        access.AccessFlag(code);
        EXPECT_EQ(access.Execute(), AccessADOClass::CannotOpen) << code;
        EXPECT_EQ(access.ErrDetail(), kDamaged);
    }
}

TEST_F(AccessConnectionTest, AnyDataFolderNameOpens) {
    for (const QString folder :
         {QStringLiteral("a;b"), QStringLiteral("O'Neil"), QStringLiteral(" two  blanks "),
          QStringLiteral("x;'y' \"z\""), QStringLiteral("{a=b}"), QStringLiteral("c=d;{e}")}) {
        SCOPED_TRACE(folder.toStdString());
        const QString path = database.folder() + u'/' + folder;
        ASSERT_TRUE(QDir().mkpath(path));
        ASSERT_TRUE(QFile::copy(database.filePath(), path + u'/' + database.fileName()));
        QFile csv(path + "/Item_tbl.csv");
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("Code,Name\r\n1,a\r\n");
        csv.close();

        AccessADOClass access;
        access.AccessFlag("2");
        access.DBName(database.fileName());
        access.Password(database.password());
        access.DBPath(path);
        access.AddFromVerse("basic_tbl");
        EXPECT_EQ(access.Execute(), 1) << access.ErrDetail().toStdString();

        AccessADOClass text;
        text.Provider(2);
        text.AccessFlag("2");
        text.DBPath(path);
        text.AddFromVerse("Item_tbl.csv");
        EXPECT_EQ(text.Execute(), 1) << text.ErrDetail().toStdString();
    }
}

TEST_F(AccessConnectionTest, AFileOfANewerFormatIsMinusThousand) {
    // as a later release would write it, outside this program's connections
    sqlite3* db = nullptr;
    ASSERT_FALSE(jet::openKeyed(database.filePath(), database.password(), false, 2000, db));
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close_v2(db);
    AccessADOClass access;
    EXPECT_EQ(CountBasic(access, database.fileName(), database.password()),
              AccessADOClass::CannotOpen);
    EXPECT_EQ(access.ErrDetail(), "DataBaseは新しい版のプログラムで作られているため開けません。");
    EXPECT_TRUE(access.NewerFormat());
}

TEST_F(AccessConnectionTest, LockedFileIsAnOrdinaryFailure) {
    jet::Connection holder;
    ASSERT_FALSE(holder.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.filePath() +
                             ";Jet OLEDB:Database Password=" + database.password() + ";"));
    ASSERT_FALSE(holder.execute("BEGIN EXCLUSIVE"));

    AccessADOClass access;
    const int32_t result = CountBasic(access, database.fileName(), database.password());
    EXPECT_LT(result, 0);
    EXPECT_NE(result, AccessADOClass::CannotOpen);
    EXPECT_NE(access.ErrDetail(), kDamaged);
}

TEST_F(AccessConnectionTest, Providers) {
    // No connection is opened: every operation, transactions included, fails with a
    // code and no exception.
    AccessADOClass unknown;
    unknown.Provider(7);
    EXPECT_LT(CountBasic(unknown, database.fileName(), database.password()), 0);
    unknown.DBInfo(vb::VariantArray(1, 1));
    for (const char* code : {"1", "3", "4", "5", "6", "7", "8", "10", "11", "12"}) {
        unknown.AccessFlag(code);
        EXPECT_LT(unknown.Execute(), 0) << code;
    }
    unknown.AccessFlag("13");
    EXPECT_EQ(unknown.Execute(), 0);
}

TEST_F(AccessConnectionTest, UnknownCodesRunNothing) {
    for (const char* code : {"0", "13", "255"}) {
        AccessADOClass access;
        database.configure(access);
        access.AccessFlag(code);
        access.AddFromVerse("basic_tbl");
        EXPECT_EQ(access.Execute(), 0) << code;
    }
    EXPECT_EQ(database.count("basic_tbl"), 1);
}

TEST_F(AccessConnectionTest, CallerErrorsRaiseRuntimeErrors) {
    AccessADOClass access;
    const auto errorOf = [](const auto& call) {
        try {
            call();
        } catch (const vb::RuntimeError& error) {
            return error.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf([&] { access.AccessFlag("abc"); }), vb::errTypeMismatch);
    EXPECT_EQ(errorOf([&] { access.AccessFlag("256"); }), vb::errOverflow);
    EXPECT_EQ(errorOf([&] { access.InfoValue(0, 0); }), vb::errSubscriptOutOfRange);

    database.configure(access);
    access.AccessFlag("1");
    access.AddField("System_id");
    access.AddFromVerse("system_type");
    ASSERT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 0), vb::Variant("NEO000001"));
    EXPECT_EQ(errorOf([&] { access.InfoValue(1, 0); }), vb::errSubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { access.InfoValue(0, 1); }), vb::errSubscriptOutOfRange);
}

// A server that cannot be reached, a wrong login and a missing database all give -1000,
// as a file that cannot be opened does, with a detail that tells a connection failure.
TEST(AccessServerConnectionTest, FailuresToConnectAreMinusThousand) {
    TestServerDatabase server;
    ASSERT_TRUE(server.isValid()) << server.error().toStdString();
    const auto countBasic = [&](const QString& name, const QString& user, const QString& password) {
        AccessADOClass access;
        server.configure(access);
        access.DBName(name);
        access.UserName(user);
        access.Password(password);
        const int32_t result = countRows(access, "basic_tbl", QString());
        EXPECT_EQ(access.ErrDetail(), result < 0 ? kNotConnected : QString());
        return result;
    };
    const QString user = TestServerDatabase::userName();
    const QString password = TestServerDatabase::password();
    EXPECT_EQ(countBasic(server.name(), user, password), 1);
    EXPECT_EQ(countBasic("morvik_absent", user, password), AccessADOClass::CannotOpen);
    // No name is no database, not the one libpq would choose (PGDATABASE, the user's).
    const QByteArray database = qgetenv("PGDATABASE");
    qputenv("PGDATABASE", server.name().toUtf8());
    EXPECT_EQ(countBasic("", user, password), AccessADOClass::CannotOpen);
    qputenv("PGDATABASE", database);
    EXPECT_EQ(countBasic(server.name(), user, password + "x"), AccessADOClass::CannotOpen);
    EXPECT_EQ(countBasic(server.name(), "morvik_nobody", password), AccessADOClass::CannotOpen);

    const QByteArray host = qgetenv("PGHOST");
    qputenv("PGHOST", host + "/nowhere");
    EXPECT_EQ(countBasic(server.name(), user, password), AccessADOClass::CannotOpen);
    qputenv("PGHOST", host);
}

}  // namespace
