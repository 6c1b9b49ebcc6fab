#pragma once

#include <QString>
#include <memory>

#include "JetError.h"

struct sqlite3;

namespace jet {

class Session;
class ServerSession;

// A connection to one database file, opened with an ADO connection text:
//   "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Jet OLEDB:Database Password=<pw>;"
// The file is an SQLCipher database keyed with the password; an empty password opens
// an unencrypted file. "Mode=Read;" opens it only for reading: nothing in it changes. Statements
// are Jet SQL, translated for the engine. "Driver={Microsoft Text Driver (*.txt;
// *.csv)};DBQ=<folder>;" opens the folder's text files instead (see TextDriver.h).
// "Provider=PostgreSQL;Data Source=<server>;location=<database>;" opens a database on a
// PostgreSQL server, logging in with the user name and password given to open; the
// server "(local)" (or none) is the one on this machine as libpq's defaults and
// environment (PGHOST, PGPORT) find it. Statements are Jet SQL there too.
class Connection {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A missing file gives errFileNotFound and is never created; a wrong password or a
    // damaged file gives errCannotOpen; a locked file gives errBusy; a file written in the
    // format of a newer release gives errNewerFormat.
    Error open(const QString& connectionText);
    Error open(const QString& connectionText, const QString& userName, const QString& password);
    // How long a statement waits for a file locked by another connection before it gives
    // errBusy; 2000 ms unless set. Applies from the next open.
    void setBusyTimeout(int milliseconds);
    // How long a statement may go without an answer from a server before it fails with
    // the connection failure (the server's own limit; the program waits two seconds
    // more); 30000 ms unless set. Applies from the next open.
    void setAnswerTimeout(int milliseconds);
    bool isOpen() const;
    // Runs one statement that returns no records; text after it is refused (errSyntax).
    Error execute(const QString& sql);
    // Prepares the statement without running it: the failure it would give on preparing.
    Error check(const QString& sql);
    Error beginTrans();
    Error commitTrans();
    Error rollbackTrans();
    void close();

    sqlite3* handle() const;

  private:
    friend class Recordset;
    // BEGIN, COMMIT or ROLLBACK; on a server the command tag must say the same.
    Error run(const char* sql, const char* serverTag);
    std::shared_ptr<Session> session() const;
    std::shared_ptr<ServerSession> serverSession() const;

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Creates a new, empty database file keyed with the password and runs the schema
// statements (engine SQL, not Jet SQL) on it in one transaction. Used only by the
// installation tool. The file is stamped with the current format (Session.h). An existing
// file is never replaced (errFileExists); a schema that fails or creates no table leaves
// no file behind.
Error createDatabase(const QString& path, const QString& password, const QString& schemaSql);

}  // namespace jet
