#include "ZipArchive.h"

#include <sys/stat.h>
#include <zip.h>

#include <QFile>
#include <QSet>
#include <filesystem>
#include <memory>

#include "FileInfo.h"
#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr zip_uint64_t kChunk = 64 * 1024;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, EntryCloser>;

Archive openForReading(const QString& zipPath) {
    int error = 0;
    return Archive(
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
}

// Links and folders as the archive's attributes mark them (Unix modes, DOS bits).
bool isLinkOrFolder(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) {
        return true;
    }
    if (system == ZIP_OPSYS_UNIX) {
        const mode_t type = (attributes >> 16) & S_IFMT;
        return type != 0 && type != S_IFREG;
    }
    constexpr zip_uint32_t kDosFolder = 0x10;
    return system == ZIP_OPSYS_DOS && (attributes & kDosFolder) != 0;
}

// Reads an entry in chunks, handing each to sink; false when the entry cannot be read,
// fails its check sum, or holds more or less than size bytes.
template <typename Sink>
bool readEntry(zip_t* archive, zip_uint64_t index, uint64_t size, Sink sink) {
    EntryFile file(zip_fopen_index(archive, index, 0));
    if (!file) {
        return false;
    }
    QByteArray buffer(static_cast<qsizetype>(kChunk), Qt::Uninitialized);
    uint64_t total = 0;
    while (true) {
        const zip_int64_t read = zip_fread(file.get(), buffer.data(), kChunk);
        if (read < 0) {
            return false;
        }
        if (read == 0) {
            return total == size;
        }
        total += static_cast<uint64_t>(read);
        if (total > size || !sink(buffer.constData(), read)) {
            return false;
        }
    }
}

// True when the archive holds exactly the files, in order, with their contents.
bool matchesFiles(const QString& zipPath, const QStringList& files) {
    Archive archive = openForReading(zipPath);
    if (!archive || zip_get_num_entries(archive.get(), 0) != files.size()) {
        return false;
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        QFile source(files[i]);
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 ||
            QString::fromUtf8(stat.name) != fileNameOf(files[i]) ||
            !source.open(QIODevice::ReadOnly) ||
            static_cast<uint64_t>(source.size()) != stat.size) {
            return false;
        }
        const bool same = readEntry(archive.get(), index, stat.size,
                                    [&source](const char* data, zip_int64_t length) {
                                        return source.read(length) == QByteArray(data, length);
                                    });
        if (!same) {
            return false;
        }
    }
    return true;
}

bool writeEmptyArchive(const QString& zipPath) {
    QFile file(zipPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return false;
    }
    const QByteArray bytes = emptyZipArchive();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written) {
        file.remove();
    }
    return written;
}

bool addFiles(zip_t* archive, const QStringList& files) {
    QSet<QString> names;
    for (const QString& path : files) {
        std::error_code error;
        const QString name = fileNameOf(path);
        if (!fs::is_regular_file(toPath(path), error) || names.contains(name)) {
            return false;
        }
        names.insert(name);
        zip_source_t* source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, -1);
        if (source == nullptr) {
            return false;
        }
        if (zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return false;
        }
    }
    return true;
}

// Writes one entry as a new file of the folder, noting the file once it is created.
UnzipStatus writeEntry(zip_t* archive, zip_uint64_t index, const ZipEntry& entry,
                       const QString& folder, QStringList& written) {
    QFile file(folder + "/" + entry.name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return UnzipStatus::WriteFailed;
    }
    written << file.fileName();
    bool writeFailed = false;
    const bool read =
        readEntry(archive, index, entry.size, [&](const char* data, zip_int64_t length) {
            writeFailed = file.write(data, length) != length;
            return !writeFailed;
        });
    writeFailed = !file.flush() || writeFailed;
    file.close();
    if (writeFailed) {
        return UnzipStatus::WriteFailed;
    }
    return read ? UnzipStatus::Done : UnzipStatus::Damaged;
}

}  // namespace

QByteArray emptyZipArchive() {
    QByteArray bytes("PK\x05\x06", 4);
    bytes.append(18, '\0');
    return bytes;
}

bool zipFiles(const QStringList& files, const QString& zipPath) {
    std::error_code error;
    if (zipPath.isEmpty() || fs::exists(fs::symlink_status(toPath(zipPath), error))) {
        return false;
    }
    if (files.isEmpty()) {
        return writeEmptyArchive(zipPath);
    }
    int openError = 0;
    Archive archive(
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_EXCL, &openError));
    if (!archive || !addFiles(archive.get(), files)) {
        return false;
    }
    // zip_close frees the archive also when it fails.
    const bool written = zip_close(archive.release()) == 0;
    if (written && matchesFiles(zipPath, files)) {
        return true;
    }
    fs::remove(toPath(zipPath), error);
    return false;
}

std::optional<std::vector<ZipEntry>> zipEntries(const QString& zipPath) {
    Archive archive = openForReading(zipPath);
    if (!archive) {
        return std::nullopt;
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    std::vector<ZipEntry> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 ||
            (stat.valid & (ZIP_STAT_NAME | ZIP_STAT_SIZE)) != (ZIP_STAT_NAME | ZIP_STAT_SIZE)) {
            return std::nullopt;
        }
        ZipEntry entry;
        entry.name = QString::fromUtf8(stat.name);
        entry.size = stat.size;
        entry.plainFile = isPlainName(entry.name) && !isLinkOrFolder(archive.get(), index);
        entries.push_back(entry);
    }
    return entries;
}

bool verifyZip(const QString& zipPath) {
    Archive archive = openForReading(zipPath);
    if (!archive) {
        return false;
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 ||
            !readEntry(archive.get(), index, stat.size,
                       [](const char*, zip_int64_t) { return true; })) {
            return false;
        }
    }
    return true;
}

UnzipResult unzipFiles(const QString& zipPath, const QString& folder) {
    UnzipResult result;
    const std::optional<std::vector<ZipEntry>> entries = zipEntries(zipPath);
    Archive archive = openForReading(zipPath);
    if (!entries || !archive) {
        return result;
    }
    QSet<QString> names;
    for (const ZipEntry& entry : *entries) {
        if (!entry.plainFile || names.contains(entry.name)) {
            result.status = UnzipStatus::UnsafeEntry;
            return result;
        }
        names.insert(entry.name);
        result.size = entry.size > UINT64_MAX - result.size ? UINT64_MAX : result.size + entry.size;
    }
    if (result.size > freeSpace(folder)) {
        result.status = UnzipStatus::NoSpace;
        return result;
    }
    QStringList written;
    result.status = UnzipStatus::Done;
    for (std::size_t i = 0; i < entries->size() && result; ++i) {
        result.status = writeEntry(archive.get(), i, (*entries)[i], folder, written);
    }
    if (!result) {
        for (const QString& path : written) {
            QFile::remove(path);
        }
    }
    return result;
}

}  // namespace shell
