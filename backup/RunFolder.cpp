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
    QStringList parts;
    for (const QByteArray& path : bytes.split(kPathEnd)) {
        const QString part = QString::fromUtf8(path);
        if (!part.isEmpty() && RunFolder::isPartFileName(shell::fileNameOf(part))) {
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

bool RunFolder::isPartFileName(const QString& name) {
    static const QRegularExpression kPartName(QStringLiteral("^\\..*\\.part-[A-Za-z0-9]{6}$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    return kPartName.match(name).hasMatch();
}

QString RunFolder::makeFolder(const QString& name) const {
    const QString folder = path_ + "/" + name;
    return ok() && shell::makeFolder(folder) ? folder : QString();
}

QString RunFolder::notePartFile(const QString& target) {
    return ok() ? notePartFile(path_, dataFolder_, target) : QString();
}

QString RunFolder::notePartFile(const QString& runFolder, const QString& dataFolder,
                                const QString& target) {
    const QString part = shell::sideFileName(target, QStringLiteral("part"));
    QByteArray note;
    shell::readRegularFile(runFolder + "/" + kPartRecord, kPartRecordMaxBytes, note);
    note += part.toUtf8() + kPathEnd;
    const QString written = runFolder + "/" + kPartRecord + ".new";
    shell::removeTree(written);
    const bool noted = shell::writeNewFile(written, note) &&
                       shell::moveEntry(written, runFolder + "/" + kPartRecord) &&
                       shell::syncFolder(runFolder) && shell::syncFolder(dataFolder);
    return noted ? part : QString();
}

bool RunFolder::discard(const QString& runFolder) {
    bool partsGone = true;
    for (const QString& part : notedPartFiles(runFolder)) {
        partsGone = shell::removeTree(part) && partsGone;
    }
    if (partsGone) {
        return shell::removeTree(runFolder);
    }
    // A partial file that stays is still noted, and only the note is kept: the next start
    // removes it.
    QStringList others;
    std::error_code error;
    fs::directory_iterator it(shell::toPath(runFolder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (it->path().filename() != kPartRecord) {
            others << shell::fromPath(it->path());
        }
    }
    for (const QString& other : others) {
        shell::removeTree(other);
    }
    return false;
}
