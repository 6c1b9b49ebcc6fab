#include "Folders.h"

#include <QDir>
#include <filesystem>

#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

// Qt gives "" when $TMPDIR names a missing folder; /tmp is there on every system.
QString tempFolder() {
    const QString path = QDir::tempPath();
    return path.isEmpty() ? QStringLiteral("/tmp") : QDir::cleanPath(path);
}

bool makeFolder(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    std::error_code error;
    const fs::path folder = toPath(path);
    fs::create_directory(folder, error);
    return !error && fs::is_directory(folder, error);
}

bool makeFolders(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    std::error_code error;
    const fs::path folder = toPath(path);
    fs::create_directories(folder, error);
    return !error && fs::is_directory(folder, error);
}

}  // namespace shell
