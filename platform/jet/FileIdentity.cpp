#include "FileIdentity.h"

#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>

#include <QFile>

namespace jet {

namespace {

int64_t nanoseconds(const timespec& time) {
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

}  // namespace

bool FileIdentity::read(const QString& path, sqlite3* db, FileIdentity& identity) {
    int moved = 1;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || moved) {
        return false;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods) {
        return false;
    }
    identity = FileIdentity();
    // A file shorter than the header reads as zero-filled (SQLITE_IOERR_SHORT_READ).
    const int rc = file->pMethods->xRead(file, identity.header.data(),
                                         static_cast<int>(identity.header.size()), 0);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ) {
        return false;
    }
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    identity.size = status.st_size;
    identity.modified = nanoseconds(status.st_mtim);
    identity.changed = nanoseconds(status.st_ctim);
    identity.mode = status.st_mode;
    return true;
}

}  // namespace jet
