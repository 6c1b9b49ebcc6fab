#pragma once

#include <QString>
#include <optional>

#include "JetError.h"
#include "SchemaTypes.h"
#include "ServerAnswer.h"

namespace jet {

// Where and as whom a server connection logs in. An empty host is the server on the
// local machine as libpq's defaults and environment (PGHOST, PGPORT) find it; an empty
// user or password is left to libpq too (PGUSER, PGPASSWORD, ~/.pgpass).
struct ServerLogin {
    QString host;
    QString database;
    QString userName;
    QString password;
    // How long a statement waits for rows or a table that another connection holds
    // before it gives errBusy: the file's busy timeout.
    int busyTimeoutMs = 2000;
    // How long the server may work on one statement before it gives it up, and (two
    // seconds more) how long the program waits for an answer before it gives up the
    // connection: both fail with the connection failure.
    int answerTimeoutMs = 30000;
};

// One open connection to a PostgreSQL database: the client handle and, once asked for,
// the column types of its tables. A connection and its recordsets share it.
class ServerSession {
  public:
    ServerSession() = default;
    ~ServerSession();
    ServerSession(const ServerSession&) = delete;
    ServerSession& operator=(const ServerSession&) = delete;

    // A server that cannot be reached, a failed login, a missing database and no
    // database name all give errCannotOpen; connecting gives up after 10 seconds. A
    // database name, user name or password with a NUL or of more than 63 bytes, which the
    // server would cut short, is refused with errCannotOpen.
    Error open(const ServerLogin& login);
    bool isOpen() const { return connection_ != nullptr; }
    void close();

    // Translates one Jet statement and runs it; text after the statement is refused.
    // The result holds every row that the statement returns. A statement without an
    // answer in time fails with the connection failure, and so does every one after it
    // when the connection was given up.
    Error query(const QString& jetSql, ServerResult& result);
    // Translates one Jet statement and lets the server prepare it without running it.
    Error check(const QString& jetSql);
    // Runs the server's own SQL that returns no rows; `expectedTag` is the command
    // tag that tells success (a COMMIT of a failed transaction reports "ROLLBACK").
    Error run(const char* engineSql, ErrorNumber otherwise, const char* expectedTag = nullptr);

    const SchemaTypes& schema();

  private:
    // The statement as the server runs it: refused as on the file when the file does not
    // understand it whole, amounts checked and rounded inside it and written amounts
    // rounded as the file checks and rounds them.
    Error serverText(const QString& jetSql, QByteArray& sql);
    // The answer to what was just sent (`sent` the PQsend* call's result); a connection
    // without an answer is closed.
    Error answer(int sent, ServerResult& result);

    pg_conn* connection_ = nullptr;
    int answerWaitMs_ = 32000;
    std::optional<SchemaTypes> schema_;
};

// Opens a connection with the login, in non-blocking mode for awaitAnswer; the handle is
// null on failure.
Error connectToServer(const ServerLogin& login, pg_conn*& connection);

// How long awaitAnswer waits on a connection made with the login.
int answerWaitMs(const ServerLogin& login);

}  // namespace jet
