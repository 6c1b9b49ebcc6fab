// No wait on the server is without end: a statement on rows that another connection holds
// waits as long as on the file, then gives the busy result (rows released within the wait
// let it go on), a server that never answers fails to open after the connect timeout, and
// a statement that gets no answer fails after the answer timeout.

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "core/AccessADOClass.h"
#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestServerDatabase.h"

namespace {

constexpr const char* kNoAnswer = "DataBaseサーバーに接続できませんでした。";

QByteArray serverPort() {
    return qEnvironmentVariableIsEmpty("PGPORT") ? QByteArray("5432") : qgetenv("PGPORT");
}

// A Unix socket bound to `path` and listening; -1 when it cannot be made.
int listenAt(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(address.sun_path)) {
        return -1;
    }
    qstrcpy(address.sun_path, path.constData());
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    if (listener >= 0 &&
        (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
         listen(listener, 4) != 0)) {
        close(listener);
        return -1;
    }
    return listener;
}

int connectTo(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
    const int peer = socket(AF_UNIX, SOCK_STREAM, 0);
    if (peer >= 0 &&
        connect(peer, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        close(peer);
        return -1;
    }
    return peer;
}

// A forwarder between the program and the test server, on a socket of its own folder:
// it passes everything both ways until it falls silent, then keeps its connections open
// and passes nothing more, as a server that stops answering.
class ForwardingProxy {
  public:
    ForwardingProxy() : folder_("/tmp/morvik-proxy.XXXXXX") {
        listener_ = listenAt(folder_.path().toUtf8() + "/.s.PGSQL." + serverPort());
        if (listener_ >= 0) {
            thread_ = std::thread([this] { serve(); });
        }
    }
    ~ForwardingProxy() {
        done_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        for (const auto& [client, server] : pairs_) {
            close(client);
            close(server);
        }
        if (listener_ >= 0) {
            close(listener_);
        }
    }

    bool isValid() const { return listener_ >= 0; }
    QString folder() const { return folder_.path(); }
    void fallSilent() { silent_ = true; }

  private:
    void serve() {
        const QByteArray target = qgetenv("PGHOST") + "/.s.PGSQL." + serverPort();
        while (!done_) {
            std::vector<pollfd> sockets{{listener_, POLLIN, 0}};
            if (!silent_) {
                for (const auto& [client, server] : pairs_) {
                    sockets.push_back({client, POLLIN, 0});
                    sockets.push_back({server, POLLIN, 0});
                }
            }
            if (poll(sockets.data(), sockets.size(), 50) <= 0) {
                continue;
            }
            if (sockets[0].revents & POLLIN) {
                const int client = accept(listener_, nullptr, nullptr);
                const int server = connectTo(target);
                if (client >= 0 && server >= 0) {
                    pairs_.emplace_back(client, server);
                }
            }
            for (size_t i = 1; i < sockets.size(); ++i) {
                if (sockets[i].revents == 0) {
                    continue;
                }
                const auto& pair = pairs_[(i - 1) / 2];
                const int to = sockets[i].fd == pair.first ? pair.second : pair.first;
                char buffer[8192];
                const ssize_t got = read(sockets[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    (void)!write(to, buffer, size_t(got));
                }
            }
        }
    }

    QTemporaryDir folder_;
    int listener_ = -1;
    std::vector<std::pair<int, int>> pairs_;
    std::atomic<bool> silent_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

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

// A server that stops answering once a statement was sent: the statement fails after the
// answer timeout and its margin, with the connection failure, and so does the next one at
// once, the connection having been given up.
TEST(ServerAnswerTest, AStatementWithoutAnAnswerFailsWithinTheBound) {
    TestServerDatabase server;
    ASSERT_TRUE(server.isValid()) << server.error().toStdString();
    const struct {
        const char* name;
        jet::Error (*operation)(jet::Connection&);
    } cases[] = {
        {"execute", [](jet::Connection& c) { return c.execute("DELETE FROM Management_Tbl"); }},
        {"recordset",
         [](jet::Connection& c) {
             jet::Recordset records;
             return records.open("SELECT Count(*) FROM Management_Tbl", c);
         }},
        {"begin", [](jet::Connection& c) { return c.beginTrans(); }},
        {"check", [](jet::Connection& c) { return c.check("SELECT * FROM basic_tbl"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ForwardingProxy proxy;
        ASSERT_TRUE(proxy.isValid());
        jet::Connection connection;
        connection.setAnswerTimeout(1000);
        ASSERT_FALSE(connection.open("Provider=PostgreSQL;Data Source=" + proxy.folder() +
                                         ";location=" + server.name() + ";",
                                     TestServerDatabase::userName(),
                                     TestServerDatabase::password()));
        // answered while the proxy forwards
        ASSERT_FALSE(connection.execute("DELETE FROM Management_Tbl WHERE Trade_No = 'x'"));
        proxy.fallSilent();
        QElapsedTimer timer;
        timer.start();
        const jet::Error error = c.operation(connection);
        EXPECT_EQ(error.number, jet::errNotOpen) << error.description.toStdString();
        EXPECT_EQ(error.description, kNoAnswer);
        EXPECT_GE(timer.elapsed(), 2900);
        EXPECT_LT(timer.elapsed(), 6000);
        timer.restart();
        EXPECT_EQ(connection.execute("DELETE FROM Management_Tbl").number, jet::errNotOpen);
        EXPECT_LT(timer.elapsed(), 500);
        EXPECT_FALSE(connection.isOpen());
    }
}

// A statement that the server works on longer than the answer timeout is given up by the
// server with the connection failure; the connection serves on.
TEST(ServerAnswerTest, AStatementBeyondTheTimeoutIsGivenUpByTheServer) {
    TestServerDatabase server;
    ASSERT_TRUE(server.isValid()) << server.error().toStdString();
    jet::Connection connection;
    connection.setAnswerTimeout(500);
    ASSERT_FALSE(
        connection.open("Provider=PostgreSQL;Data Source=(local);location=" + server.name() + ";",
                        TestServerDatabase::userName(), TestServerDatabase::password()));
    QElapsedTimer timer;
    timer.start();
    const jet::Error error = connection.execute("SELECT pg_sleep(5)");
    EXPECT_EQ(error.number, jet::errNotOpen) << error.description.toStdString();
    EXPECT_EQ(error.description, kNoAnswer);
    EXPECT_GE(timer.elapsed(), 450);
    EXPECT_LT(timer.elapsed(), 2400);
    EXPECT_FALSE(connection.execute("DELETE FROM Management_Tbl"));
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
