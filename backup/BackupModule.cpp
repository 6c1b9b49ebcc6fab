#include "BackupModule.h"

#include <unistd.h>

#include <QFile>
#include <filesystem>

#include "FileNames.h"
#include "SpaceMessage.h"
#include "TempNames.h"
#include "XXBackupFunctions.h"
#include "core/CommonDialog.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/shell/FileDelete.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/PathText.h"
#include "platform/shell/SpecialFolders.h"

namespace fs = std::filesystem;

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

bool CopyRegularFile(const QString& from, const QString& to) {
    std::error_code error;
    return !to.isEmpty() && fs::is_regular_file(shell::toPath(from), error) &&
           XX共通関数::CopyFiles(from, to);
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

// Copies temp beside target under a work name, compares the copy and renames it to
// target, which is replaced only then.
bool WriteBeside(const QString& temp, const QString& target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QString side =
        target.left(slash + 1) + "." + target.mid(slash + 1) + ".part-" + QString::number(getpid());
    std::error_code error;
    const bool written = CopyRegularFile(temp, side) && SameContents(temp, side);
    if (written) {
        fs::rename(shell::toPath(side), shell::toPath(target), error);
    }
    if (!written || error) {
        shell::deleteFile(side);
        return false;
    }
    return true;
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

bool WriteBackupFile(const QStringList& files, const QString& path) {
    const bool plain = IsPlainCopy(path);
    const QString temp = TempNames::FreeFile(TempNames::Base(vb::Now()), plain ? ".mde" : ".zip");
    if (plain && !CopyRegularFile(files.value(0), temp)) {
        Fail(QStringLiteral("バックアップファイルの一時保存に失敗しました。"));
        return false;
    }
    if (!plain && (files.isEmpty() || temp.isEmpty() || !XX共通関数::ZipFiles(files, temp))) {
        Fail(QStringLiteral("バックアップファイルの圧縮に失敗しました。"));
        return false;
    }
    const int64_t size = shell::fileInfo(temp).size;
    QString drive, folder, fileName, baseName, extension;
    XX共通関数::SplitPath(path, drive, folder, fileName, baseName, extension);
    bool saved = false;
    if (XX共通関数::GetDiskFreeSpace(folder) < static_cast<double>(size)) {
        Fail(SpaceMessage(QStringLiteral("バックアップ"), static_cast<uint64_t>(size)));
    } else if (!WriteBeside(temp, path)) {
        Fail(QStringLiteral("バックアップファイルの保存に失敗しました。"));
    } else {
        saved = true;
    }
    shell::deleteFile(temp);
    return saved;
}

QString LoadBackupFile(QWidget* owner) {
    CommonDialog dialog;
    SetUpDialog(dialog, owner, QStringLiteral("バックアップファイルの読み込み"));
    const QString chosen = dialog.ShowOpen();
    if (chosen.isEmpty()) {
        return QString();
    }
    const QString base = TempNames::Base(vb::Now());
    if (IsPlainCopy(chosen)) {
        const QString folder = TempNames::NewFolder(base);
        if (folder.isEmpty() ||
            !CopyRegularFile(chosen, folder + "/" + FileNames::fileNameOf(chosen))) {
            Fail(QStringLiteral("バックアップファイルの復元に失敗しました。"));
            if (!folder.isEmpty()) {
                XX共通関数::DeleteFiles(folder);
            }
            return QString();
        }
        return folder;
    }
    const QString zip = TempNames::FreeFile(base, ".zip");
    if (!CopyRegularFile(chosen, zip)) {
        Fail(QStringLiteral("バックアップファイルの復元に失敗しました。"));
        return QString();
    }
    const QString folder = TempNames::NewFolder(base);
    const shell::UnzipResult unpacked =
        folder.isEmpty() ? shell::UnzipResult{} : XX共通関数::UnzipFile(zip, folder);
    shell::deleteFile(zip);
    if (unpacked) {
        return folder;
    }
    Fail(unpacked.status == shell::UnzipStatus::NoSpace
             ? SpaceMessage(QStringLiteral("復元"), unpacked.size)
             : QStringLiteral("バックアップファイルの解凍に失敗しました。"));
    if (!folder.isEmpty()) {
        XX共通関数::DeleteFiles(folder);
    }
    return QString();
}

}  // namespace BackupModule
