#include "EarlierDatabaseCopy.h"

#include <QFile>
#include <QFileInfo>

#include "backup/SettledDatabase.h"

namespace {

// Whether the file is an unencrypted database, as its header says.
bool plainFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

}  // namespace

EarlierDatabaseCopy::EarlierDatabaseCopy(const QString& databasePath, const QString& password) {
    if (!SettledDatabase::SideFilesHoldData(databasePath)) {
        path_ = databasePath;
        return;
    }
    // A copy the engine cannot settle keeps its journal beside it: the check that follows
    // refuses it.
    const QString copy = folder_.path() + "/" + QFileInfo(databasePath).fileName();
    if (folder_.isValid() &&
        SettledDatabase::CopySettled(databasePath, copy,
                                     plainFile(databasePath) ? QString() : password, true)) {
        path_ = copy;
    }
}
