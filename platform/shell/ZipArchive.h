#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace shell {

// Compressed folders: zip archives whose entries are plain files at the top level, each
// under its own file name.

// One entry of an archive as its directory states it.
struct ZipEntry {
    QString name;
    uint64_t size = 0;  // bytes when unpacked
    // A file whose name is a plain top-level name: no folder part, not "." or "..", not
    // a folder entry and not a link.
    bool plainFile = false;
};

enum class UnzipStatus {
    Done,
    Damaged,      // not an archive, cut short, or an entry fails its check
    UnsafeEntry,  // an entry that is not a plain top-level file, or a name given twice
    NoSpace,      // the entries need more room than the folder's volume has free
    WriteFailed,  // a file could not be written into the folder
};

struct UnzipResult {
    UnzipStatus status = UnzipStatus::Damaged;
    uint64_t size = 0;  // bytes the entries take when unpacked

    explicit operator bool() const { return status == UnzipStatus::Done; }
};

// The 22 bytes of an archive without entries: "PK", 0x05, 0x06 and 18 zero bytes.
QByteArray emptyZipArchive();

// Writes a new archive at zipPath, which must not exist yet, holding every file of the
// list, compressed, at the top level under its file name; an empty list writes the empty
// archive. The archive is then read back and compared with the files. Fails when a file
// is not a regular file or cannot be read, two files share a name, or the archive cannot
// be written or does not match; a failure leaves nothing at zipPath.
bool zipFiles(const QStringList& files, const QString& zipPath);

// The entries of an archive in their order; nothing when it cannot be opened.
std::optional<std::vector<ZipEntry>> zipEntries(const QString& zipPath);

// True when the archive opens and every entry reads back whole with its check sum.
bool verifyZip(const QString& zipPath);

// Unpacks an archive into an existing folder. Only an archive of plain top-level files
// with distinct names is taken, and only when its entries fit into the free space of the
// folder's volume. Files are created new (an existing name, also a link, is never
// replaced or followed); an entry is read no further than its stated size. On any
// failure the files written so far are removed again.
UnzipResult unzipFiles(const QString& zipPath, const QString& folder);

}  // namespace shell
