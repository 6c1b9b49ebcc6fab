// A database name, user name or password that the server would take cut short (at a NUL,
// or a name at its 63rd byte) is refused, so that it never reaches another database or
// logs in as another user; 63 bytes themselves are taken.

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include "core/AccessADOClass.h"
#include "platform/jet/Connection.h"
#include "tests/support/TestServerDatabase.h"

namespace {

const QString kNul(QChar(u'\0'));

// Runs the server's own SQL on its maintenance database.
bool onServer(const QByteArray& sql) {
    const char* const keys[] = {"dbname", nullptr};
    const char* const values[] = {"postgres", nullptr};
    PGconn* server = PQconnectdbParams(keys, values, 0);
    bool done = false;
    if (PQstatus(server) == CONNECTION_OK) {
        PGresult* result = PQexec(server, sql.constData());
        done = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
    }
    PQfinish(server);
    return done;
}

jet::Error openAs(const QString& database, const QString& user, const QString& password) {
    jet::Connection connection;
    return connection.open("Provider=PostgreSQL;Data Source=(local);location=" + database + ";",
                           user, password);
}

TEST(ServerLoginTest, ANameOrPasswordCutShortIsRefused) {
    TestServerDatabase server;
    ASSERT_TRUE(server.isValid()) << server.error().toStdString();
    // a database whose name is as long as the server keeps
    const QString longest = (server.name() + QString(63, u'n')).left(63);
    ASSERT_TRUE(onServer("CREATE DATABASE \"" + longest.toUtf8() + "\""));

    const QString user = TestServerDatabase::userName();
    const QString password = TestServerDatabase::password();
    const struct {
        const char* name;
        QString database;
        QString user;
        QString password;
        bool opens;
    } cases[] = {
        {"as it is", server.name(), user, password, true},
        {"63 bytes", longest, user, password, true},
        {"64 bytes", longest + u'x', user, password, false},
        {"NUL in the database name", server.name() + kNul + u'x', user, password, false},
        {"NUL in the user name", server.name(), user + kNul + u'x', password, false},
        {"NUL in the password", server.name(), user, password + kNul + u'x', false},
    };
    for (const auto& c : cases) {
        const jet::Error error = openAs(c.database, c.user, c.password);
        EXPECT_EQ(error.number, c.opens ? jet::errNone : jet::errCannotOpen)
            << c.name << ": " << error.description.toStdString();
    }

    // through the wrapper: the connection failure, -1000
    AccessADOClass access;
    server.configure(access);
    access.DBName(server.name() + kNul);
    access.AccessFlag("2");
    access.AddFromVerse("basic_tbl");
    EXPECT_EQ(access.Execute(), AccessADOClass::CannotOpen);
    EXPECT_EQ(access.ErrDetail(), QStringLiteral("DataBaseサーバーに接続できませんでした。"));

    EXPECT_TRUE(onServer("DROP DATABASE \"" + longest.toUtf8() + "\" WITH (FORCE)"));
}

}  // namespace
