#include "FileCheck.h"

#include <sqlcipher/sqlite3.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <functional>
#include <vector>

#include "EngineError.h"
#include "IntegrityCheck.h"
#include "SchemaCheck.h"
#include "Session.h"
#include "TableCheck.h"

namespace jet {

namespace {

// Reading every page grows with the file: beside the base of the objects' check, 8 s for
// each megabyte, many times what a slow, loaded machine needs for a sound file.
constexpr qint64 kPagesMillisecondsPerMegabyte = 8000;

// The limit set for the whole process; negative while the size-based one holds.
std::atomic<qint64> outsideCheckMilliseconds{-1};

qint64 pagesCheckMilliseconds(const QString& path) {
    if (const qint64 set = outsideCheckMilliseconds.load(); set >= 0) {
        return set;
    }
    const qint64 megabytes = QFileInfo(path).size() / (1024 * 1024) + 1;
    return kObjectsCheckMilliseconds + megabytes * kPagesMillisecondsPerMegabyte;
}

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

Error timedOut() {
    return makeError(errTimedOut, QString());
}

Error checkStamp(sqlite3* db) {
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
    return {};
}

// The stamp, then the objects; every page too with readPages. A stage is not begun once
// the deadline has passed.
Error checkOpenFile(sqlite3* db, const QDeadlineTimer& deadline, const QString& schemaSql,
                    bool readPages) {
    if (Error error = checkStamp(db)) {
        return error;
    }
    if (deadline.hasExpired()) {
        return timedOut();
    }
    // A missing table is told only of a file sound otherwise.
    const Error schema = checkSchema(db, schemaSql);
    if (schema && schema.number != errTableNotFound) {
        return schema;
    }
    if (readPages) {
        if (deadline.hasExpired()) {
            return timedOut();
        }
        if (Error error = checkIntegrity(db)) {
            return error;
        }
    }
    return schema;
}

// Only the tables read are checked, each page of them and of their indexes; no CHECK
// constraint of the file runs.
Error checkEarlierOpenFile(sqlite3* db, const QDeadlineTimer& deadline,
                           const std::vector<TableShape>& tables) {
    if (Error error = checkStamp(db)) {
        return error;
    }
    if (Error error = checkTables(db, tables)) {
        return error;
    }
    sqlite3_exec(db, "PRAGMA ignore_check_constraints = ON", nullptr, nullptr, nullptr);
    for (const TableShape& table : tables) {
        if (deadline.hasExpired()) {
            return timedOut();
        }
        if (Error error = checkTableIntegrity(db, table.name)) {
            return error;
        }
    }
    return {};
}

// Opens the file with nothing of it running; for writing unless readOnly.
Error openLimited(const QString& path, const QString& password, bool readOnly, sqlite3*& db) {
    if (Error error = openExistingFile(path, password, 2000, readOnly, db)) {
        return error;
    }
    limitEngine(db);
    return {};
}

using OpenFileCheck = std::function<Error(sqlite3*, const QDeadlineTimer&)>;

// The check on the open file within the time limit; a check stopped by the limit says so.
Error checkWithin(sqlite3* db, qint64 milliseconds, const OpenFileCheck& check) {
    QDeadlineTimer deadline(milliseconds);
    sqlite3_progress_handler(db, 1000, interruptAfterDeadline, &deadline);
    Error error = check(db, deadline);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    // An engine stopped by the deadline gives an interrupt, not a finding about the file.
    if (error && error.number != errTimedOut && deadline.hasExpired()) {
        return timedOut();
    }
    return error;
}

// The files the engine keeps beside a database.
const char* const kCompanionSuffixes[] = {"-wal", "-shm", "-journal"};

// Which of the engine's companion files lie beside the database.
std::vector<bool> companionsPresent(const QString& path) {
    std::vector<bool> present;
    for (const char* suffix : kCompanionSuffixes) {
        present.push_back(QFileInfo::exists(path + QLatin1String(suffix)));
    }
    return present;
}

// Removes the companion files that were not there before: reading a file in WAL mode makes
// them even on a connection that only reads.
void removeCompanionsMade(const QString& path, const std::vector<bool>& before) {
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!before[i]) {
            QFile::remove(path + QLatin1String(kCompanionSuffixes[i]));
        }
    }
}

// Opens a file from outside only for reading and checks it within a limit that grows with
// its size; nothing is left beside it.
Error checkOutsideFile(const QString& path, const QString& password, const OpenFileCheck& check) {
    const std::vector<bool> companions = companionsPresent(path);
    sqlite3* db = nullptr;
    if (Error error = openLimited(path, password, true, db)) {
        return error;
    }
    Error error = checkWithin(db, pagesCheckMilliseconds(path), check);
    sqlite3_close_v2(db);
    removeCompanionsMade(path, companions);
    return error;
}

}  // namespace

Error checkFile(const QString& path, const QString& password, const QString& schemaSql) {
    return checkOutsideFile(path, password,
                            [&schemaSql](sqlite3* db, const QDeadlineTimer& deadline) {
                                return checkOpenFile(db, deadline, schemaSql, true);
                            });
}

Error checkEarlierFile(const QString& path, const QString& password,
                       const std::vector<TableShape>& tables) {
    return checkOutsideFile(path, password, [&tables](sqlite3* db, const QDeadlineTimer& deadline) {
        return checkEarlierOpenFile(db, deadline, tables);
    });
}

void setOutsideCheckMilliseconds(qint64 milliseconds) {
    outsideCheckMilliseconds.store(milliseconds);
}

Error recoverFile(const QString& path, const QString& password) {
    sqlite3* db = nullptr;
    if (Error error = openLimited(path, password, false, db)) {
        return error;
    }
    // The first read rolls a hot journal back.
    int stamp = 0;
    const int rc = readStamp(db, stamp);
    Error error = rc == SQLITE_OK ? Error{} : engineError(db, rc, errCannotOpen);
    sqlite3_close_v2(db);
    return error;
}

Error checkOwnFile(const QString& path, const QString& password, const QString& schemaSql,
                   qint64 milliseconds) {
    sqlite3* db = nullptr;
    if (Error error = openLimited(path, password, false, db)) {
        return error;
    }
    Error error =
        checkWithin(db, milliseconds, [&schemaSql](sqlite3* open, const QDeadlineTimer& deadline) {
            return checkOpenFile(open, deadline, schemaSql, false);
        });
    sqlite3_close_v2(db);
    return error;
}

void limitOutsideFile(sqlite3* db) {
    limitEngine(db);
}

}  // namespace jet
