#pragma once

#include <QString>
#include <array>
#include <cstdint>

struct sqlite3;

namespace jet {

// What tells one state of a database file from another: the file the path names
// (device and inode), its size, modification and change times and mode, and the first
// bytes of the file as stored (the engine's change counter lies among them; on a keyed
// file they change with every write).
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modified = 0;  // nanoseconds
    int64_t changed = 0;   // nanoseconds
    uint32_t mode = 0;
    std::array<unsigned char, 100> header{};

    bool operator==(const FileIdentity&) const = default;

    // The state of the file that the path names and that the open handle reads. False
    // when the path names no regular file or another file than the handle has open
    // (replaced, moved or deleted since the handle opened it). The header is read
    // through the handle's own descriptor: opening and closing another descriptor on
    // the file would drop the locks that other connections of the process hold on it.
    static bool read(const QString& path, sqlite3* db, FileIdentity& identity);
};

}  // namespace jet
