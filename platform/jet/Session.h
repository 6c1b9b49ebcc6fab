#pragma once

#include <QString>
#include <optional>

#include "JetError.h"
#include "SchemaTypes.h"

struct sqlite3;
struct sqlite3_stmt;

namespace jet {

// One open database file: the engine's handle, keyed with the password, the Jet
// functions registered on it and, once asked for, the declared types of its tables.
// A connection and its recordsets share it, so that a recordset outliving its
// connection only finds it closed.
class Session {
  public:
    Session() = default;
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Error open(const QString& path, const QString& password, int busyTimeoutMs);
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* db() const { return db_; }
    // Statements still prepared on the handle keep it until they are finalized.
    void close();

    // Translates one Jet statement and prepares it; text after the statement is refused.
    // The engine's text of the statement goes to engineSql when asked for.
    Error prepare(const QString& jetSql, sqlite3_stmt*& statement, QString* engineSql = nullptr);
    // Runs engine SQL that returns no rows.
    Error run(const char* engineSql, ErrorNumber otherwise);

    const SchemaTypes& schema();

  private:
    sqlite3* db_ = nullptr;
    std::optional<SchemaTypes> schema_;
};

// Opens (creating it when asked) the file and keys it; an empty password leaves it
// unencrypted.
Error openKeyed(const QString& path, const QString& password, bool create, int busyTimeoutMs,
                sqlite3*& db);

}  // namespace jet
