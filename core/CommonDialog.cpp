#include "CommonDialog.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>

#include "DialogFilter.h"
#include "XXCommonFunctions.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"

namespace {

const QString kFolderTitle = QStringLiteral("フォルダを選択してください。");
const QString kSaveTitle = QStringLiteral("名前を付けて保存");
const QString kOpenTitle = QStringLiteral("ファイルを開く");

// Centres the dialog once its size is settled, whatever its owner.
class CentreOnShow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            XX共通関数::CenterWindow(static_cast<QWidget*>(watched), 0, 0);
        }
        return false;
    }
};

bool runDialog(QFileDialog& dialog, QString& path) {
    CentreOnShow centre(&dialog);
    dialog.installEventFilter(&centre);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    dialog.removeEventFilter(&centre);
    path = accepted ? dialog.selectedFiles().first() : QString();
    return accepted;
}

bool confirmOverwrite(const QString& path, const QString& title) {
    const QString text =
        QFileInfo(path).fileName() + QStringLiteral(" は既に存在します。\r\n上書きしますか？");
    return forms::MsgBox(text, forms::vbYesNo | forms::vbExclamation | forms::vbDefaultButton2,
                         title) == forms::vbYes;
}

}  // namespace

CommonDialog::CommonDialog()
    : filter_(QStringLiteral("すべてのファイル(*.*)") + QChar(u'\0') + QStringLiteral("*.*")) {}

void CommonDialog::OwnerhWnd(QWidget* argOwnerhWnd) {
    owner_ = argOwnerhWnd;
}

void CommonDialog::Title(const QString& argTitle) {
    title_ = argTitle;
}

void CommonDialog::InitialFolder(const QString& argInitialFolder) {
    initialFolder_ = argInitialFolder;
}

void CommonDialog::InitialFileName(const QString& argInitialFileName) {
    initialFileName_ = argInitialFileName;
}

void CommonDialog::Filter(const QString& argFilter) {
    filter_ = argFilter;
}

QString CommonDialog::ShowFolder() {
    QString folder;
    if (!askFolder(title_.isEmpty() ? kFolderTitle : title_, folder)) {
        return QString();
    }
    if (folder.size() > 1 && folder.endsWith('/')) {
        folder.chop(1);
    }
    return folder;
}

QString CommonDialog::ShowSave() {
    const QString title = title_.isEmpty() ? kSaveTitle : title_;
    const DialogFilter filter(filter_);
    QString fileName = initialFileName_;
    for (;;) {
        Choice choice;
        if (!askFile(true, title, fileName, filter, choice)) {
            return QString();
        }
        // The name is complete only with its extension: that is the file to ask about.
        const QString path = filter.withExtension(choice.path, choice.filterIndex);
        if (!QFileInfo::exists(path) || confirmOverwrite(path, title)) {
            return path;
        }
        fileName = path;
    }
}

QString CommonDialog::ShowOpen() {
    Choice choice;
    if (!askFile(false, title_.isEmpty() ? kOpenTitle : title_, initialFileName_,
                 DialogFilter(filter_), choice)) {
        return QString();
    }
    return choice.path;
}

bool CommonDialog::askFile(bool save, const QString& title, const QString& fileName,
                           const DialogFilter& filter, Choice& choice) const {
    const QStringList names = filter.nameFilters();
    const forms::TestHook::DialogShown shown{save ? QStringLiteral("save") : QStringLiteral("open"),
                                             title,
                                             initialFolder_,
                                             fileName,
                                             names.join(QStringLiteral(";;")),
                                             QString()};
    if (forms::TestHook::answerDialog(shown, choice.path)) {
        choice.filterIndex = 0;
        return !choice.path.isEmpty();
    }

    QFileDialog dialog(owner_, title);
    // The dialog of this program, not the desktop's: it must be set before anything else.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Replacing a file is asked about by ShowSave, once the extension is known.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!names.isEmpty()) {
        dialog.setNameFilters(names);
    }
    if (!initialFolder_.isEmpty()) {
        dialog.setDirectory(startFolder());
    }
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
    }
    if (!runDialog(dialog, choice.path)) {
        return false;
    }
    choice.filterIndex = filter.indexOf(dialog.selectedNameFilter());
    return true;
}

bool CommonDialog::askFolder(const QString& title, QString& folder) const {
    const forms::TestHook::DialogShown shown{
        QStringLiteral("folder"), title, initialFolder_, QString(), QString(), QString()};
    if (forms::TestHook::answerDialog(shown, folder)) {
        return !folder.isEmpty();
    }

    QFileDialog dialog(owner_, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (!initialFolder_.isEmpty()) {
        dialog.setDirectory(startFolder());
    }
    return runDialog(dialog, folder);
}

QString CommonDialog::startFolder() const {
    return QFileInfo(initialFolder_).isDir() ? initialFolder_ : QDir::homePath();
}
