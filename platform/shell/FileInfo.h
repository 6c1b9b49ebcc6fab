#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <filesystem>

namespace shell {

// Attributes of a file or folder. Read-only means the owner may not write it; hidden
// means the name starts with ".". Size and time are those of the file a link points to.
struct FileInfo {
    bool exists = false;
    bool isFolder = false;
    bool readOnly = false;
    bool hidden = false;
    int64_t size = 0;    // bytes; 0 for folders
    QDateTime modified;  // local time; invalid when the entry does not exist
};

FileInfo fileInfo(const QString& path);

// The entry at path itself, a link not followed (a dangling link exists as a link);
// not found when it cannot be read.
std::filesystem::file_status entryStatus(const QString& path);
// Whether there is an entry at path, a link counted as one.
bool entryExists(const QString& path);

// Free bytes available to this user on the volume that holds the path; when the path
// does not exist yet, the volume of its nearest existing parent. 0 when unknown.
uint64_t freeSpace(const QString& path);

}  // namespace shell
