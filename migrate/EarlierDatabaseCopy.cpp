#include "EarlierDatabaseCopy.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "platform/jet/Session.h"

namespace {

// Whether the file is an unencrypted database, as its header says.
bool plainFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

// Opens the copy for writing and reads its header, at which the engine rolls the journal
// back; nothing of its schema is read here. A copy that fails is refused by the check that
// follows.
void rollBack(const QString& path, const QString& password) {
    sqlite3* db = nullptr;
    if (!jet::openKeyed(path, plainFile(path) ? QString() : password, false, 2000, db)) {
        sqlite3_exec(db, "PRAGMA user_version", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }
}

}  // namespace

EarlierDatabaseCopy::EarlierDatabaseCopy(const QString& databasePath, const QString& password) {
    const QFileInfo journal(databasePath + "-journal");
    if (!journal.isFile() || journal.size() == 0) {
        path_ = databasePath;
        return;
    }
    const QString copy = folder_.path() + "/" + QFileInfo(databasePath).fileName();
    if (!folder_.isValid() || !QFile::copy(databasePath, copy) ||
        !QFile::copy(journal.filePath(), copy + "-journal")) {
        return;
    }
    for (const QString& file : {copy, copy + "-journal"}) {
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }
    rollBack(copy, password);
    path_ = copy;
}
