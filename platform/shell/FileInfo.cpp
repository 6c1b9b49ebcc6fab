#include "FileInfo.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

FileInfo fileInfo(const QString& path) {
    FileInfo info;
    std::error_code error;
    const fs::path entry = toPath(path);
    const fs::file_status status = fs::status(entry, error);
    if (error || !fs::exists(status)) {
        return info;
    }
    info.exists = true;
    info.isFolder = fs::is_directory(status);
    info.readOnly = (status.permissions() & fs::perms::owner_write) == fs::perms::none;
    const QString clean = QDir::cleanPath(path);
    const QString name = clean.mid(clean.lastIndexOf('/') + 1);
    info.hidden = name.startsWith('.') && name != "." && name != "..";
    if (!info.isFolder) {
        info.size = static_cast<int64_t>(fs::file_size(entry, error));
        if (error) {
            info.size = 0;
        }
    }
    info.modified = QFileInfo(path).lastModified();
    return info;
}

fs::file_status entryStatus(const QString& path) {
    std::error_code error;
    return fs::symlink_status(toPath(path), error);
}

bool entryExists(const QString& path) {
    return fs::exists(entryStatus(path));
}

uint64_t freeSpace(const QString& path) {
    std::error_code error;
    fs::path probe = fs::absolute(toPath(path.isEmpty() ? QStringLiteral(".") : path), error);
    if (error) {
        return 0;
    }
    while (!fs::exists(probe, error) && probe.has_relative_path()) {
        probe = probe.parent_path();
    }
    const fs::space_info space = fs::space(probe, error);
    return error ? 0 : static_cast<uint64_t>(space.available);
}

}  // namespace shell
