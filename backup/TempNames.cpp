#include "TempNames.h"

#include <QCoreApplication>
#include <filesystem>

#include "FileNames.h"
#include "XXBackupFunctions.h"
#include "platform/runtime/Format.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace TempNames {

namespace {

constexpr int kNamesToTry = 100;

QString numbered(const QString& base, int n, const QString& suffix) {
    return n == 1 ? base + suffix : base + "_" + QString::number(n) + suffix;
}

}  // namespace

QString Base(const vb::Date& time) {
    QString program = FileNames::fileNameOf(QCoreApplication::applicationFilePath());
    if (program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) {
        program.chop(4);
    }
    return XX共通関数::GetTempFolder() + program + "_" + vb::Format(time, "yyyymmddhhnnss");
}

QString FreeFile(const QString& base, const QString& suffix) {
    for (int n = 1; n <= kNamesToTry; ++n) {
        const QString path = numbered(base, n, suffix);
        std::error_code error;
        if (!fs::exists(fs::symlink_status(shell::toPath(path), error))) {
            return path;
        }
    }
    return QString();
}

QString NewFolder(const QString& base) {
    for (int n = 1; n <= kNamesToTry; ++n) {
        const QString path = numbered(base, n, QString());
        std::error_code error;
        if (fs::create_directory(shell::toPath(path), error)) {
            return path;
        }
        if (error && error != std::errc::file_exists) {
            return QString();
        }
    }
    return QString();
}

}  // namespace TempNames
