#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "JetError.h"
#include "SchemaTypes.h"

struct pg_conn;
struct pg_result;

namespace jet {

using ServerResult = std::unique_ptr<pg_result, void (*)(pg_result*)>;

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
    // database name all give errCannotOpen; connecting gives up after 10 seconds.
    Error open(const ServerLogin& login);
    bool isOpen() const { return connection_ != nullptr; }
    void close();

    // Translates one Jet statement and runs it; text after the statement is refused.
    // The result holds every row that the statement returns.
    Error query(const QString& jetSql, ServerResult& result);
    // Translates one Jet statement and lets the server prepare it without running it.
    Error check(const QString& jetSql);
    // Runs the server's own SQL that returns no rows; `expectedTag` is the command
    // tag that tells success (a COMMIT of a failed transaction reports "ROLLBACK").
    Error run(const char* engineSql, ErrorNumber otherwise, const char* expectedTag = nullptr);

    const SchemaTypes& schema();

  private:
    pg_conn* connection_ = nullptr;
    std::optional<SchemaTypes> schema_;
};

// Opens a connection with the login; the handle is null on failure.
Error connectToServer(const ServerLogin& login, pg_conn*& connection);

}  // namespace jet
