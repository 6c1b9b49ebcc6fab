#include "RunFolder.h"

#include <QRegularExpression>
#include <filesystem>

#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

// The note holds the paths of the partial files, each ended by a zero byte (no path holds
// one); it is read whole, whatever its size.
constexpr qint64 kPartRecordMaxBytes = qint64(1) << 30;
constexpr char kPathEnd = '\0';

bool makeDataFolder(const QString& folder) {
    return !shell::entryExists(folder) && shell::makeFolders(folder);
}

// The partial files that a run folder notes, those that notePartFile made.
QStringList notedPartFiles(const QString& runFolder) {
    QByteArray bytes;
    if (!shell::readRegularFile(runFolder + "/" + RunFolder::kPartRecord, kPartRecordMaxBytes,
                                bytes)) {
        return {};
    }
    static const QRegularExpression kPartName(QStringLiteral("^\\..*\\.part-[A-Za-z0-9]{6}$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    QStringList parts;
    for (const QByteArray& path : bytes.split(kPathEnd)) {
        const QString part = QString::fromUtf8(path);
        if (!part.isEmpty() && kPartName.match(shell::fileNameOf(part)).hasMatch()) {
            parts << part;
        }
    }
    return parts;
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
    if (!ok()) {
        return QString();
    }
    const QString part = shell::sideFileName(target, QStringLiteral("part"));
    QByteArray note;
    shell::readRegularFile(path_ + "/" + kPartRecord, kPartRecordMaxBytes, note);
    note += part.toUtf8() + kPathEnd;
    const QString written = path_ + "/" + kPartRecord + ".new";
    shell::removeTree(written);
    const bool noted = shell::writeNewFile(written, note) &&
                       shell::moveEntry(written, path_ + "/" + kPartRecord) &&
                       shell::syncFolder(path_) && shell::syncFolder(dataFolder_);
    return noted ? part : QString();
}

void RunFolder::discard(const QString& runFolder) {
    for (const QString& part : notedPartFiles(runFolder)) {
        shell::removeTree(part);
    }
    shell::removeTree(runFolder);
}
