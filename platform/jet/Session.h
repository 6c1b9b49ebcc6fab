#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
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
struct ScaledStatement;

// The format of the database files this layer writes, kept in the engine's user version:
// 0 the previous release (currency as floating-point numbers), 1 currency as whole
// numbers of ten-thousandths.
constexpr int kFileFormat = 1;

class Session {
  public:
    Session() = default;
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A file of the previous format is brought to the current one, once, in one
    // transaction; opened read-only, or when it cannot be written, it is read as it
    // stands. A file of a newer format gives errNewerFormat.
    Error open(const QString& path, const QString& password, int busyTimeoutMs,
               bool readOnly = false);
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* db() const { return db_; }
    // Statements still prepared on the handle keep it until they are finalized.
    void close();

    // Whether currency columns hold whole numbers of ten-thousandths.
    bool scaledCurrency() const { return scaledCurrency_; }

    // Translates one Jet statement and prepares it; text after the statement is refused.
    // The engine's text of the statement goes to engineSql when asked for, and in a file
    // of scaled currency the types found by the rewriting to `scaled`.
    Error prepare(const QString& jetSql, sqlite3_stmt*& statement, QString* engineSql = nullptr,
                  ScaledStatement* scaled = nullptr);
    // Runs engine SQL that returns no rows.
    Error run(const char* engineSql, ErrorNumber otherwise);

    const SchemaTypes& schema();

  private:
    Error settleFormat(bool readOnly, int format);
    Error convertPreviousFormat(bool& unwritable);

    sqlite3* db_ = nullptr;
    bool scaledCurrency_ = false;
    std::optional<QByteArray> schemaText_;  // as read at the opening
    std::shared_ptr<const SchemaTypes> schema_;
};

// Opens (creating it when asked, or only for reading) the file and keys it; an empty
// password leaves it unencrypted.
Error openKeyed(const QString& path, const QString& password, bool create, int busyTimeoutMs,
                sqlite3*& db, bool readOnly = false);

// Opens an existing database file: a missing file is errFileNotFound, an empty one (which
// the engine would take for an empty database) errCannotOpen.
Error openExistingFile(const QString& path, const QString& password, int busyTimeoutMs,
                       bool readOnly, sqlite3*& db);

}  // namespace jet
