#include "FileDelete.h"

#include <filesystem>

#include "FileSearch.h"
#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

// A slip in a caller's path must never wipe the file system.
// The entry itself is not resolved: removing a link to "/" removes only the link.
bool isProtected(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
    return error || absolute.filename().empty() || folder == folder.root_path();
}

}  // namespace

FileOpResult deleteFiles(const QString& pattern) {
    const std::vector<FoundEntry> entries = findFiles(pattern);
    if (entries.empty()) {
        return FileOpResult{false, pattern};
    }
    for (const FoundEntry& entry : entries) {
        const fs::path path = toPath(entry.path);
        std::error_code error;
        if (isProtected(path)) {
            return FileOpResult{false, entry.path};
        }
        fs::remove_all(path, error);
        if (error) {
            return FileOpResult{false, entry.path};
        }
    }
    return FileOpResult{true, QString()};
}

bool deleteFile(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    std::error_code error;
    const fs::path file = toPath(path);
    const fs::file_status status = fs::symlink_status(file, error);
    if (error || fs::is_directory(status)) {
        return false;
    }
    return fs::remove(file, error) && !error;
}

}  // namespace shell
