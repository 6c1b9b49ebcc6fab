#include "RunFolder.h"

#include <QRegularExpression>
#include <filesystem>

#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

// The note of a partial file holds one path.
constexpr qint64 kPartRecordMaxBytes = 64 * 1024;

bool makeDataFolder(const QString& folder) {
    return !shell::entryExists(folder) && shell::makeFolders(folder);
}

// The partial file that a run folder notes, when it is one that notePartFile made.
QString notedPartFile(const QString& runFolder) {
    QByteArray bytes;
    if (!shell::readRegularFile(runFolder + "/" + RunFolder::kPartRecord, kPartRecordMaxBytes,
                                bytes)) {
        return QString();
    }
    const QString part = QString::fromUtf8(bytes);
    static const QRegularExpression kPartName(QStringLiteral("^\\..*\\.part-[A-Za-z0-9]{6}$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    const bool isPart = kPartName.match(shell::fileNameOf(part)).hasMatch() &&
                        !fs::is_directory(shell::entryStatus(part));
    return isPart ? part : QString();
}

}  // namespace

RunFolder::RunFolder(const QString& dataFolder)
    : dataFolder_(dataFolder), dataFolderMade_(makeDataFolder(dataFolder)), lock_(dataFolder) {
    if (lock_.held()) {
        path_ = shell::makePrivateFolder(dataFolder_, kPrefix);
    }
}

RunFolder::~RunFolder() {
    if (!path_.isEmpty() && !kept_) {
        discard(path_);
    }
    if (dataFolderMade_) {
        std::error_code error;
        fs::remove(shell::toPath(dataFolder_), error);  // only when empty
    }
}

QString RunFolder::makeFolder(const QString& name) const {
    const QString folder = path_ + "/" + name;
    return ok() && shell::makeFolder(folder) ? folder : QString();
}

QString RunFolder::notePartFile(const QString& target) {
    const QString part = shell::sideFileName(target, QStringLiteral("part"));
    const bool noted = ok() && notedPartFile(path_).isEmpty() &&
                       shell::writeNewFile(path_ + "/" + kPartRecord, part.toUtf8()) &&
                       shell::syncFolder(path_) && shell::syncFolder(dataFolder_);
    return noted ? part : QString();
}

void RunFolder::discard(const QString& runFolder) {
    const QString part = notedPartFile(runFolder);
    if (!part.isEmpty()) {
        shell::removeTree(part);
    }
    shell::removeTree(runFolder);
}
