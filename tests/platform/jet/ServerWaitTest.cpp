// No wait on the server is without end: a statement on rows that another connection holds
// waits as long as on the file, then gives the busy result (rows released within the wait
// let it go on), and a server that never answers fails to open after the connect timeout.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "core/AccessADOClass.h"
#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestServerDatabase.h"

namespace {

constexpr const char* kKeptRow =
    "INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, Unit_Price) "
    "VALUES (#2024/5/3#, '001', '0001', 100)";
constexpr const char* kNewRow =
    "INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, Unit_Price) "
    "VALUES (#2024/5/4#, '001', '0001', 90)";
constexpr const char* kUpdate =
    "UPDATE Management_Tbl SET Unit_Price = 120 WHERE Trade_No = '0001'";

class ServerWaitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.isValid()) << server.error().toStdString();
        ASSERT_FALSE(open(holder));
        ASSERT_FALSE(holder.execute(kKeptRow));
    }

    jet::Error open(jet::Connection& connection) {
        return connection.open(
            "Provider=PostgreSQL;Data Source=(local);location=" + server.name() + ";",
            TestServerDatabase::userName(), TestServerDatabase::password());
    }

    // The holder keeps the rows of its statement in an open transaction.
    void hold(const char* sql) {
        ASSERT_FALSE(holder.beginTrans());
        ASSERT_FALSE(holder.execute(sql));
    }

    QString unitPrice() {
        jet::Recordset records;
        EXPECT_FALSE(
            records.open("SELECT Unit_Price FROM Management_Tbl WHERE "
                         "Input_Date = #2024/5/3#",
                         holder));
        return records.value(0).toString();
    }

    TestServerDatabase server;
    jet::Connection holder;
};

TEST_F(ServerWaitTest, HeldRowsGiveBusyAfterTheFilesWait) {
    struct Case {
        const char* held;
        const char* waiting;
    };
    const Case cases[] = {
        {kUpdate, kUpdate},
        {"DELETE FROM Management_Tbl", "DELETE FROM Management_Tbl WHERE Classify_No = '001'"},
        // A key written but not committed: the second insert waits to know if it stays.
        {kNewRow, kNewRow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.waiting);
        hold(c.held);
        jet::Connection waiter;
        ASSERT_FALSE(open(waiter));
        QElapsedTimer timer;
        timer.start();
        const jet::Error error = waiter.execute(c.waiting);
        const qint64 waited = timer.elapsed();
        EXPECT_EQ(error.number, jet::errBusy) << error.description.toStdString();
        EXPECT_GE(waited, 1900);
        EXPECT_LT(waited, 10000);
        // Nothing of the refused statement stays, and the connection serves on.
        ASSERT_FALSE(holder.rollbackTrans());
        EXPECT_FALSE(waiter.execute(c.waiting));
        ASSERT_FALSE(holder.execute("DELETE FROM Management_Tbl"));
        ASSERT_FALSE(holder.execute(kKeptRow));
    }
}

TEST_F(ServerWaitTest, BusyTimeoutOfTheConnectionApplies) {
    hold(kUpdate);
    jet::Connection waiter;
    waiter.setBusyTimeout(200);
    ASSERT_FALSE(open(waiter));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(waiter.execute(kUpdate).number, jet::errBusy);
    EXPECT_GE(timer.elapsed(), 190);
    EXPECT_LT(timer.elapsed(), 1900);
    ASSERT_FALSE(holder.rollbackTrans());
}

TEST_F(ServerWaitTest, RowsReleasedWithinTheWaitAreWritten) {
    hold(kUpdate);
    jet::Connection waiter;
    ASSERT_FALSE(open(waiter));
    std::thread release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(holder.commitTrans());
    });
    const jet::Error error = waiter.execute(
        "UPDATE Management_Tbl SET Unit_Price = Unit_Price + 5 WHERE "
        "Trade_No = '0001'");
    release.join();
    EXPECT_FALSE(error) << error.description.toStdString();
    EXPECT_EQ(unitPrice(), "125");
}

TEST_F(ServerWaitTest, ReplaceOverHeldRowsIsBusyAndRolledBack) {
    hold(kUpdate);
    AccessADOClass access;
    server.configure(access);
    access.AccessFlag("7");
    access.AddFromVerse("Management_Tbl");
    access.AddWhereVerse("Trade_No = '0001'");
    for (const char* field : {"Input_Date", "Classify_No", "Trade_No", "Unit_Price"}) {
        access.AddField(field);
    }
    access.DBInfo(makeRows({{"#2024/5/3#", "'001'", "'0001'", "80"}}));

    EXPECT_EQ(access.Execute(), -jet::errBusy) << access.ErrDetail().toStdString();
    ASSERT_FALSE(holder.rollbackTrans());
    EXPECT_EQ(unitPrice(), "100");
}

TEST(ServerConnectTest, ServerThatNeverAnswersFailsWithinTheConnectTimeout) {
    // A socket where the server's would be, which takes connections and never answers.
    QTemporaryDir folder("/tmp/morvik-silent.XXXXXX");
    ASSERT_TRUE(folder.isValid());
    const QByteArray port =
        qEnvironmentVariableIsEmpty("PGPORT") ? QByteArray("5432") : qgetenv("PGPORT");
    const QByteArray path = folder.path().toUtf8() + "/.s.PGSQL." + port;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    qstrcpy(address.sun_path, path.constData());
    const int silent = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(silent, 0);
    ASSERT_EQ(bind(silent, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(silent, 4), 0);

    jet::Connection connection;
    QElapsedTimer timer;
    timer.start();
    const jet::Error error = connection.open(
        "Provider=PostgreSQL;Data Source=" + folder.path() + ";location=morvik;", "morvik", "pw");
    EXPECT_EQ(error.number, jet::errCannotOpen) << error.description.toStdString();
    EXPECT_GE(timer.elapsed(), 9000);
    EXPECT_LT(timer.elapsed(), 20000);
    close(silent);
}

}  // namespace
