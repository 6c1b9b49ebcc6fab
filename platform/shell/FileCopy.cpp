#include "FileCopy.h"

#include <algorithm>
#include <filesystem>

#include "DurableFiles.h"
#include "FileSearch.h"
#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

FileOpResult failure(const fs::path& path) {
    return FileOpResult{false, fromPath(path)};
}

bool isInside(const fs::path& folder, const fs::path& candidate) {
    std::error_code error;
    const fs::path outer = fs::weakly_canonical(folder, error);
    const fs::path inner = fs::weakly_canonical(candidate, error);
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first ==
           outer.end();
}

// The copy is written beside the target under a new random name and renamed over it, so
// that a failed copy leaves an existing target whole. A link named as the source is
// followed here, as the shell copies what a link points to.
FileOpResult copyFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (fs::exists(to, error) && fs::equivalent(from, to, error)) {
        return failure(to);
    }
    const fs::path source =
        fs::is_symlink(fs::symlink_status(from, error)) ? fs::canonical(from, error) : from;
    const QString side = sideFileName(fromPath(to), QStringLiteral("copy"));
    if (error || !copyToNewFile(fromPath(source), side)) {
        return failure(to);
    }
    if (!moveEntry(side, fromPath(to))) {
        removeTree(side);
        return failure(to);
    }
    return FileOpResult{true, QString()};
}

FileOpResult copySymlink(const fs::path& from, const fs::path& to) {
    std::error_code missing;
    const fs::file_status existing = fs::symlink_status(to, missing);
    std::error_code error;
    if (fs::is_directory(existing)) {
        return failure(to);
    }
    if (fs::exists(existing)) {
        fs::remove(to, error);
    }
    if (!error) {
        fs::copy_symlink(from, to, error);
    }
    return error ? failure(to) : FileOpResult{true, QString()};
}

// Links inside a copied folder are copied as links, so that a link to a parent folder
// cannot make the copy endless.
FileOpResult copyFolder(const fs::path& from, const fs::path& to) {
    if (isInside(from, to)) {
        return failure(to);
    }
    std::error_code error;
    fs::create_directories(to, error);
    if (error || !fs::is_directory(to, error)) {
        return failure(to);
    }
    fs::directory_iterator it(from, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::file_status status = it->symlink_status(error);
        const fs::path target = to / it->path().filename();
        FileOpResult result;
        if (fs::is_symlink(status)) {
            result = copySymlink(it->path(), target);
        } else if (fs::is_directory(status)) {
            result = copyFolder(it->path(), target);
        } else {
            result = copyFile(it->path(), target);
        }
        if (!result) {
            return result;
        }
    }
    return error ? failure(from) : FileOpResult{true, QString()};
}

FileOpResult copyEntry(const FoundEntry& entry, const fs::path& to) {
    const fs::path from = toPath(entry.path);
    if (entry.isFolder) {
        return copyFolder(from, to);
    }
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    if (error) {
        return failure(to.parent_path());
    }
    return copyFile(from, to);
}

}  // namespace

FileOpResult copyFiles(const QString& source, const QString& target) {
    const std::vector<FoundEntry> entries = findFiles(source);
    if (entries.empty()) {
        return FileOpResult{false, source};
    }
    if (target.isEmpty()) {
        return FileOpResult{false, target};
    }
    const fs::path to = toPath(target);
    const QString sourceName = source.mid(source.lastIndexOf('/') + 1);
    std::error_code error;
    const bool intoFolder = fs::is_directory(to, error) || target.endsWith('/') ||
                            hasWildcards(sourceName) || sourceName.isEmpty();
    if (intoFolder) {
        fs::create_directories(to, error);
        if (error || !fs::is_directory(to, error)) {
            return failure(to);
        }
    }
    for (const FoundEntry& entry : entries) {
        const FileOpResult result = copyEntry(entry, intoFolder ? to / toPath(entry.name) : to);
        if (!result) {
            return result;
        }
    }
    return FileOpResult{true, QString()};
}

}  // namespace shell
