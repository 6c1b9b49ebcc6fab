#include "FileCheck.h"

#include <sqlcipher/sqlite3.h>

#include <QDeadlineTimer>

#include "EngineError.h"
#include "IntegrityCheck.h"
#include "SchemaCheck.h"
#include "Session.h"

namespace jet {

namespace {

// Reading every page of a large file takes seconds; a file that keeps the engine busy
// longer is not one of the system's.
constexpr qint64 kCheckMilliseconds = 120000;

// The system's statements are short and flat; a file whose own are not fails to load.
void limitEngine(sqlite3* db) {
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 100000);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 100);
    sqlite3_limit(db, SQLITE_LIMIT_COMPOUND_SELECT, 4);
    sqlite3_limit(db, SQLITE_LIMIT_FUNCTION_ARG, 8);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_TRIGGER_DEPTH, 1);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
}

int interruptAfterDeadline(void* deadline) {
    return static_cast<QDeadlineTimer*>(deadline)->hasExpired() ? 1 : 0;
}

// The format stamp of the file; the engine's result code.
int readStamp(sqlite3* db, int& stamp) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        stamp = sqlite3_column_int(statement, 0);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc;
}

Error checkOpenFile(sqlite3* db, const QString& schemaSql) {
    int stamp = 0;
    if (const int rc = readStamp(db, stamp); rc != SQLITE_OK) {
        return engineError(db, rc, errCannotOpen);
    }
    if (stamp > kFileFormat) {
        return makeError(errNewerFormat, QString::number(stamp));
    }
    // 0 is the previous release's; no release writes any other.
    if (stamp < 0) {
        return makeError(errCannotOpen, QStringLiteral("unknown format %1").arg(stamp));
    }
    // A missing table is told only of a file sound otherwise.
    const Error schema = checkSchema(db, schemaSql);
    if (schema && schema.number != errTableNotFound) {
        return schema;
    }
    if (Error error = checkIntegrity(db)) {
        return error;
    }
    return schema;
}

}  // namespace

Error checkFile(const QString& path, const QString& password, const QString& schemaSql) {
    sqlite3* db = nullptr;
    if (Error error = openExistingFile(path, password, 2000, true, db)) {
        return error;
    }
    limitEngine(db);
    QDeadlineTimer deadline(kCheckMilliseconds);
    sqlite3_progress_handler(db, 1000, interruptAfterDeadline, &deadline);
    Error error = checkOpenFile(db, schemaSql);
    sqlite3_close_v2(db);
    return error;
}

void limitOutsideFile(sqlite3* db) {
    limitEngine(db);
}

}  // namespace jet
