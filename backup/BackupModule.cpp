#include "BackupModule.h"

#include <QFile>

#include "RunFolder.h"
#include "SettledDatabase.h"
#include "SpaceMessage.h"
#include "XXBackupFunctions.h"
#include "core/CommonDialog.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/PathText.h"
#include "platform/shell/SpecialFolders.h"

namespace BackupModule {

namespace {

constexpr qint64 kChunk = 64 * 1024;

QString Filter() {
    const QChar nul(0);
    return QStringLiteral("バックアップファイル (*.bak)") + nul + "*.bak" + nul +
           QStringLiteral("バックアップファイル Ver2以前 (*.mde)") + nul + "*.mde";
}

void SetUpDialog(CommonDialog& dialog, QWidget* owner, const QString& title) {
    dialog.OwnerhWnd(owner);
    dialog.Title(title);
    dialog.InitialFolder(XX共通関数::GetSpecialFolderPath(shell::csidlDesktop));
    dialog.Filter(Filter());
}

bool IsPlainCopy(const QString& path) {
    return path.right(3).toUpper() == QStringLiteral("MDE");
}

void Fail(const QString& text) {
    forms::MsgBox(text, forms::vbExclamation, forms::App::Title());
}

bool SameContents(const QString& first, const QString& second) {
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size()) {
        return false;
    }
    while (!a.atEnd()) {
        if (a.read(kChunk) != b.read(kChunk)) {
            return false;
        }
    }
    return true;
}

// Copies temp beside target under a new name noted in the run, compares the copy and
// renames it to target, which is replaced only then.
bool WriteBeside(const QString& temp, const QString& target, RunFolder& run) {
    const QString part = run.notePartFile(target);
    if (part.isEmpty() || !shell::copyToNewFile(temp, part)) {
        return false;
    }
    if (SameContents(temp, part) && shell::moveEntry(part, target)) {
        shell::syncFolder(target.left(target.lastIndexOf('/') + 1));
        return true;
    }
    shell::removeTree(part);
    return false;
}

QString DefaultFileName() {
    return forms::App::Title() + "(" + vb::Format(vb::Now(), "yyyy年mm月dd日 hh時nn分") + ")";
}

}  // namespace

bool SaveBackupFile(const QStringList& files, QWidget* owner) {
    CommonDialog dialog;
    SetUpDialog(dialog, owner, QStringLiteral("バックアップファイルの保存"));
    dialog.InitialFileName(DefaultFileName());
    const QString chosen = dialog.ShowSave();
    return !chosen.isEmpty() && WriteBackupFile(files, chosen);
}

bool WriteBackupFile(const QStringList& files, const QString& chosen) {
    const bool plain = IsPlainCopy(chosen);
    // A chosen file that is a link gets the backup in the file it points to.
    const QString path = shell::followLink(chosen);
    const QString database = files.value(0);
    RunFolder run(database.left(database.lastIndexOf('/')));
    const QString temp = run.path() + (plain ? "/backup.mde" : "/backup.zip");
    // The database is taken from its copy, settled in the run.
    const QString work = run.makeFolder("database");
    const QString settled = work + "/" + shell::fileNameOf(database);
    const bool copied = !work.isEmpty() && SettledDatabase::CopySettled(
                                               database, settled, MainModule::DBPassword, false);
    if (plain && !(copied && shell::moveEntry(settled, temp))) {
        Fail(QStringLiteral("バックアップファイルの一時保存に失敗しました。"));
        return false;
    }
    QStringList packed = files;
    if (!packed.isEmpty()) {
        packed[0] = settled;
    }
    if (!plain && !(copied && XX共通関数::ZipFiles(packed, temp))) {
        Fail(QStringLiteral("バックアップファイルの圧縮に失敗しました。"));
        return false;
    }
    const int64_t size = shell::fileInfo(temp).size;
    QString drive, folder, fileName, baseName, extension;
    XX共通関数::SplitPath(path, drive, folder, fileName, baseName, extension);
    if (XX共通関数::GetDiskFreeSpace(folder) < static_cast<double>(size)) {
        Fail(SpaceMessage(QStringLiteral("バックアップ"), static_cast<uint64_t>(size)));
        return false;
    }
    if (!WriteBeside(temp, path, run)) {
        Fail(QStringLiteral("バックアップファイルの保存に失敗しました。"));
        return false;
    }
    return true;
}

QString LoadBackupFile(QWidget* owner, const RunFolder& run) {
    CommonDialog dialog;
    SetUpDialog(dialog, owner, QStringLiteral("バックアップファイルの読み込み"));
    const QString chosen = dialog.ShowOpen();
    if (chosen.isEmpty()) {
        return QString();
    }
    const QString source = shell::followLink(chosen);
    const QString folder = run.makeFolder("files");
    if (IsPlainCopy(chosen)) {
        // A database still in use elsewhere brings the log that holds its last writes.
        if (folder.isEmpty() ||
            !SettledDatabase::CopySettled(source, folder + "/" + shell::fileNameOf(chosen),
                                          MainModule::DBPassword, true)) {
            Fail(QStringLiteral("バックアップファイルの復元に失敗しました。"));
            return QString();
        }
        return folder;
    }
    const QString zip = run.path() + "/backup.zip";
    if (folder.isEmpty() || !shell::copyToNewFile(source, zip)) {
        Fail(QStringLiteral("バックアップファイルの復元に失敗しました。"));
        return QString();
    }
    const shell::UnzipResult unpacked = XX共通関数::UnzipFile(zip, folder);
    shell::removeTree(zip);
    if (unpacked) {
        return folder;
    }
    Fail(unpacked.status == shell::UnzipStatus::NoSpace
             ? SpaceMessage(QStringLiteral("復元"), unpacked.size)
             : QStringLiteral("バックアップファイルの解凍に失敗しました。"));
    return QString();
}

}  // namespace BackupModule
