#include "SettledDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <filesystem>

#include "FileNames.h"
#include "platform/jet/FileCheck.h"
#include "platform/jet/Session.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace SettledDatabase {

namespace {

// Another program at work on the file is waited for this long.
constexpr int kBusyTimeoutMs = 2000;

// The file's journal mode as the engine reports it, read after its first page, which
// settles a hot journal; "" when it cannot be read.
QByteArray journalMode(sqlite3* db) {
    QByteArray mode;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_exec(db, "PRAGMA user_version", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        mode = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    return mode.toLower();
}

}  // namespace

bool SideFilesHoldData(const QString& path) {
    for (const QString& side : FileNames::engineSideFiles(path)) {
        std::error_code error;
        const uintmax_t size = fs::file_size(shell::toPath(side), error);
        if (!error && size > 0) {
            return true;
        }
    }
    return false;
}

bool Settle(const QString& path, const QString& password) {
    std::error_code error;
    if (!fs::exists(shell::toPath(path), error)) {
        return !SideFilesHoldData(path);
    }
    sqlite3* db = nullptr;
    if (jet::openExistingFile(path, password, kBusyTimeoutMs, false, db)) {
        return !SideFilesHoldData(path);
    }
    // The file may come from outside: nothing it defines runs, its schema is bounded.
    jet::limitOutsideFile(db);
    QByteArray mode = journalMode(db);
    if (mode == "wal" &&
        sqlite3_exec(db, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr) == SQLITE_OK) {
        mode = journalMode(db);
    }
    sqlite3_close_v2(db);
    // A file the engine cannot read (another key, damaged) is taken as it is.
    return mode.isEmpty() ? !SideFilesHoldData(path) : mode != "wal";
}

bool CopySettled(const QString& source, const QString& target, const QString& password,
                 bool keepSideFiles) {
    const QString file = shell::followLink(source);
    if (!shell::copyToNewFile(file, target)) {
        return false;
    }
    const QStringList sides = FileNames::engineSideFiles(file);
    const QStringList copies = FileNames::engineSideFiles(target);
    bool copied = true;
    for (qsizetype i = 0; i < sides.size() && copied; ++i) {
        copied = !fs::is_regular_file(shell::entryStatus(sides[i])) ||
                 shell::copyToNewFile(sides[i], copies[i]);
    }
    const bool settled = copied && Settle(target, password);
    if (!settled && copied && keepSideFiles) {
        return true;
    }
    for (const QString& copy : copies) {
        shell::removeTree(copy);
    }
    if (!settled) {
        shell::removeTree(target);
    }
    return settled;
}

}  // namespace SettledDatabase
