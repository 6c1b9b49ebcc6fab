#include "frmRestore.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "BackupModule.h"
#include "BackupRoot.h"
#include "DataFileCheck.h"
#include "DataFileList.h"
#include "RunFolder.h"
#include "SettledDatabase.h"
#include "SpaceMessage.h"
#include "core/CommonClass.h"
#include "core/DatabaseCheck.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Clock.h"
#include "platform/shell/PathText.h"

namespace {

const QString kCaption = QStringLiteral(" データバックアップ");
const QString kRestoreTitle = QStringLiteral("データの復元");
const QString kBackupTitle = QStringLiteral("データのバックアップ");

// The client area, in twips.
constexpr double kClientWidth = 6795;
constexpr double kClientHeight = 6705;

QString DataFolder() {
    return MainModule::SharedCommon().MidPath(MainModule::DBFolder);
}

QPushButton* Button(QWidget* parent, const QString& caption, double left, double top, double width,
                    double height) {
    auto* button = new QPushButton(caption, parent);
    forms::placeTwips(button, left, top, width, height);
    return button;
}

// The settings record read again from the database now in place, as at start-up.
void ReloadSettings() {
    if (MainModule::LoadSystemId() < 0 || MainModule::LoadBasicSettings() < 0 ||
        MainModule::LoadLastCloseDate() < 0) {
        return;
    }
    MainModule::CheckMasterData();
}

void ShowRestoreResult(const ReplaceResult& result, const QString& done, const QString& failed,
                       int failedStyle) {
    switch (result.outcome) {
        case ReplaceResult::Replaced:
            forms::MsgBox(result.automaticCopyMissing
                              ? done + QStringLiteral("\r\nバックアップフォルダに書き込めないため、"
                                                      "復元前のデータは自動保存されていません。")
                              : done,
                          forms::vbInformation, kRestoreTitle);
            ReloadSettings();
            break;
        case ReplaceResult::NoSpace:
            forms::MsgBox(SpaceMessage(QStringLiteral("復元"), result.required),
                          forms::vbExclamation, kRestoreTitle);
            break;
        case ReplaceResult::Refused:
        case ReplaceResult::Failed:
            forms::MsgBox(failed, failedStyle, kRestoreTitle);
            break;
    }
}

}  // namespace

frmRestore::frmRestore() {
    setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), 9));
    resize(forms::toPixels(kClientWidth), forms::toPixels(kClientHeight));

    OperationOption[0] = new QRadioButton(QStringLiteral("バックアップ"), this);
    forms::placeTwips(OperationOption[0], 120, 120, 1515, 435);
    OperationOption[1] = new QRadioButton(QStringLiteral("データの復元"), this);
    forms::placeTwips(OperationOption[1], 1680, 120, 1515, 435);
    OperationOption[0]->setChecked(true);

    Frame1 = new QGroupBox(this);
    forms::placeTwips(Frame1, 60, 660, 6675, 5160);
    MsgLabel = new QLabel(Frame1);
    forms::placeTwips(MsgLabel, 60, 300, 4200, 300);
    BackupList = new QListWidget(Frame1);
    forms::placeTwips(BackupList, 60, 720, 6555, 3660);
    MsgText = new QPlainTextEdit(QStringLiteral("Text1"), Frame1);
    MsgText->setReadOnly(true);
    forms::placeTwips(MsgText, 60, 720, 6555, 3675);
    DeleteButton = Button(Frame1, QStringLiteral("バックアップデータの削除"), 4380, 180, 2175, 435);
    DeleteButton->setEnabled(false);
    Export_File = Button(Frame1, QStringLiteral("外部へバックアップ"), 4380, 4560, 2175, 435);
    Import_File = Button(Frame1, QStringLiteral("外部から取り込み"), 4380, 4560, 2175, 435);

    BackupButton = Button(this, QStringLiteral("バックアップ開始"), 2640, 5940, 1875, 555);
    RestoreButton = Button(this, QStringLiteral("復元開始"), 2640, 5940, 1875, 555);
    RestoreButton->setEnabled(false);
    CloseButton = Button(this, QStringLiteral("戻る"), 4800, 5940, 1875, 555);

    for (int index = 0; index < 2; ++index) {
        QObject::connect(OperationOption[index], &QRadioButton::toggled, this,
                         [this, index](bool on) {
                             if (on) {
                                 OperationOption_Click(index);
                             }
                         });
    }
    QObject::connect(BackupList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!filling_) {
            BackupList_ItemCheck(BackupList->row(item));
        }
    });
    QObject::connect(BackupButton, &QPushButton::clicked, this, [this] { BackupButton_Click(); });
    QObject::connect(RestoreButton, &QPushButton::clicked, this, [this] { RestoreButton_Click(); });
    QObject::connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButton_Click(); });
    QObject::connect(Export_File, &QPushButton::clicked, this, [this] { Export_File_Click(); });
    QObject::connect(Import_File, &QPushButton::clicked, this, [this] { Import_File_Click(); });
    QObject::connect(CloseButton, &QPushButton::clicked, this, [this] { CloseButton_Click(); });
}

void frmRestore::ShowModal(QWidget* owner) {
    static QPointer<frmRestore> instance;
    QString ignored;
    if (forms::TestHook::answerDialog({QStringLiteral("form"), kCaption, {}, {}, {}, {}},
                                      ignored)) {
        return;
    }
    if (!instance) {
        instance = new frmRestore;
    }
    instance->Show(forms::vbModal, owner);
}

void frmRestore::Form_Load() {
    SetCaption(kCaption);
    XX共通関数::CenterForm(*this);
    OperationOption[0]->setChecked(true);
    OperationOption_Click(0);
}

bool frmRestore::GetDataFileList(QStringList& files) const {
    const QString iniFile = MainModule::SharedCommon().PutPath(forms::App::Path()) + "backup.ini";
    return DataFileList::read(iniFile, DataFolder(), files);
}

bool frmRestore::BackupToFolder() {
    QStringList files;
    return GetDataFileList(files) &&
           !BackupRoot(DataFolder()).create(files, vb::Now(), MainModule::DBPassword).isEmpty();
}

ReplaceResult frmRestore::RestoreFolder(const QString& folderName) {
    const BackupRoot root(DataFolder());
    QStringList paths;
    if (!root.files(folderName, paths)) {
        return ReplaceResult{};
    }
    // The database as backup.ini names it; a broken installation without the list still
    // has the settings record's.
    QStringList listed;
    const QString database =
        GetDataFileList(listed) ? shell::fileNameOf(listed[0]) : MainModule::DBFileName;
    if (!paths.contains(root.entryPath(folderName) + "/" + database)) {
        return ReplaceResult{};
    }
    std::vector<IncomingFile> incoming;
    for (const QString& path : paths) {
        incoming.push_back({path, shell::fileNameOf(path)});
    }
    return PutInPlace(incoming, database);
}

ReplaceResult frmRestore::PutInPlace(const std::vector<IncomingFile>& incoming,
                                     const QString& database) {
    newerBackup_ = false;
    checkTimedOut_ = false;
    return DataReplace(DataFolder(), database)
        .run(incoming, vb::Now(), [this, &database](const QString& copies) {
            // A database kept with a write-ahead log is turned, in its copy, to the journal
            // mode the system writes, so that no later copy misses a write; the check reads
            // it only so. Any number of settings rows, none too, is what start-up accepts.
            if (!SettledDatabase::Settle(copies + "/" + database, MainModule::DBPassword)) {
                return false;
            }
            const int32_t rows = CheckDataFile(copies, database, &newerBackup_);
            checkTimedOut_ = rows == DatabaseCheck::TimedOut;
            return rows >= 0;
        });
}

bool frmRestore::ExplainedRefusal(const ReplaceResult& result) const {
    if (result.outcome != ReplaceResult::Refused) {
        return false;
    }
    // Nothing is known of a file whose check was stopped: it is not called foreign.
    if (checkTimedOut_) {
        forms::MsgBox(QStringLiteral("バックアップデータの確認が時間内に終わりませんでした。\r\n"
                                     "しばらくしてから、もう一度実行してください。"),
                      forms::vbCritical, kRestoreTitle);
        return true;
    }
    if (!newerBackup_) {
        return false;
    }
    forms::MsgBox(
        QStringLiteral("指定のバックアップデータは新しい版のプログラムで作られているため、"
                       "この版では復元できません。\r\n"
                       "新しい版のプログラムで復元してください。"),
        forms::vbCritical, kRestoreTitle);
    return true;
}

int32_t frmRestore::CheckDataFile(const QString& folder, const QString& fileName,
                                  bool* newerFormat) const {
    return DataFileCheck::BasicRows(folder, fileName, MainModule::DBPassword, newerFormat);
}

void frmRestore::OperationOption_Click(int index) {
    DeleteButton->setEnabled(false);
    const bool backup = index == 0;
    MsgLabel->setText(backup ? QStringLiteral("バックアップデータされたデータ")
                             : QStringLiteral("復元するバックアップデータを選択してください。"));
    BackupButton->setVisible(backup);
    RestoreButton->setVisible(!backup);
    RestoreButton->setEnabled(false);
    Export_File->setVisible(backup);
    Import_File->setVisible(!backup);
    ListBackups();
}

void frmRestore::ListBackups() {
    filling_ = true;
    BackupList->clear();
    BackupFolders.clear();
    for (const QString& name : BackupRoot(DataFolder()).names()) {
        auto* item = new QListWidgetItem(BackupRoot::entryText(name), BackupList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        BackupFolders << name;
    }
    filling_ = false;
    const bool none = BackupFolders.isEmpty();
    if (none) {
        MsgText->setPlainText(QStringLiteral("バックアップされたデータはありません｡"));
    }
    MsgText->setVisible(none);
    BackupList->setVisible(!none);
}

void frmRestore::BackupList_ItemCheck(int index) {
    filling_ = true;
    for (int i = 0; i < BackupList->count(); ++i) {
        BackupList->item(i)->setCheckState(i == index ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
    RestoreButton->setEnabled(true);
    DeleteButton->setEnabled(true);
}

bool frmRestore::BeginBusy() {
    if (MousePointer() == forms::vbHourglass) {
        return false;
    }
    SetMousePointer(forms::vbHourglass);
    return true;
}

void frmRestore::EndBusy() {
    SetMousePointer(forms::vbDefault);
}

void frmRestore::BackupButton_Click() {
    if (!BeginBusy()) {
        return;
    }
    if (BackupToFolder()) {
        forms::MsgBox(QStringLiteral("データのバックアップを完了しました。"), forms::vbInformation,
                      kBackupTitle);
    } else {
        forms::MsgBox(QStringLiteral("データのバックアップに失敗しました。"), forms::vbCritical,
                      kBackupTitle);
    }
    OperationOption_Click(0);
    EndBusy();
}

void frmRestore::RestoreButton_Click() {
    for (int i = 0; i < BackupList->count(); ++i) {
        if (BackupList->item(i)->checkState() != Qt::Checked) {
            continue;
        }
        const QString question =
            "[" + BackupList->item(i)->text() + "] を復元します。\r\nよろしいですか？";
        if (forms::MsgBox(question, forms::vbYesNo | forms::vbQuestion, kRestoreTitle) !=
            forms::vbYes) {
            continue;
        }
        const ReplaceResult result = RestoreFolder(BackupFolders.value(i));
        if (!ExplainedRefusal(result)) {
            ShowRestoreResult(result, QStringLiteral("データの復元を完了しました。"),
                              QStringLiteral("データの復元に失敗しました。"), forms::vbCritical);
        }
    }
    OperationOption_Click(1);
}

void frmRestore::DeleteButton_Click() {
    if (!BeginBusy()) {
        return;
    }
    const BackupRoot root(DataFolder());
    for (int i = 0; i < BackupList->count(); ++i) {
        if (BackupList->item(i)->checkState() != Qt::Checked) {
            continue;
        }
        const QString question =
            "[" + BackupList->item(i)->text() + "] を削除します。\r\nよろしいですか？";
        if (forms::MsgBox(question, forms::vbYesNo | forms::vbQuestion,
                          QStringLiteral("データバックアップ")) == forms::vbYes) {
            if (!root.remove(BackupFolders.value(i))) {
                forms::MsgBox(QStringLiteral("バックアップデータの削除に失敗しました。"),
                              forms::vbCritical, QStringLiteral("データバックアップ"));
            }
        }
    }
    OperationOption_Click(OperationOption[0]->isChecked() ? 0 : 1);
    EndBusy();
}

void frmRestore::Export_File_Click() {
    if (!BeginBusy()) {
        return;
    }
    SetEnabled(false);
    QStringList files;
    if (!GetDataFileList(files)) {
        forms::MsgBox(QStringLiteral("データのバックアップに失敗しました。"), forms::vbCritical,
                      kBackupTitle);
    } else if (BackupModule::SaveBackupFile(files, this)) {
        forms::MsgBox(QStringLiteral("バックアップを完了しました。"), forms::vbInformation,
                      kBackupTitle);
    }
    SetEnabled(true);
    EndBusy();
}

void frmRestore::Import_File_Click() {
    if (!BeginBusy()) {
        return;
    }
    SetEnabled(false);
    {
        const RunFolder run(DataFolder());
        const QString folder = BackupModule::LoadBackupFile(this, run);
        if (!folder.isEmpty()) {
            ImportFrom(folder);
        }
    }
    SetEnabled(true);
    EndBusy();
}

void frmRestore::ImportFrom(const QString& folder) {
    QStringList found;
    XX共通関数::FindFiles(MainModule::SharedCommon().PutPath(folder) + "*.mde", found, false,
                          XX共通関数::FilesOnly);
    QStringList files;
    if (found.isEmpty() || !GetDataFileList(files)) {
        forms::MsgBox(QStringLiteral("復元に失敗しました。"), forms::vbExclamation, kRestoreTitle);
        return;
    }
    const QString database = shell::fileNameOf(files[0]);
    const ReplaceResult result = PutInPlace({{found[0], database}}, database);
    if (ExplainedRefusal(result)) {
        return;
    }
    if (result.outcome == ReplaceResult::Refused) {
        forms::MsgBox(
            QStringLiteral("指定のデータファイルは、システム規定のデータファイルではありません。"),
            forms::vbCritical, kRestoreTitle);
        return;
    }
    ShowRestoreResult(result, QStringLiteral("復元を完了しました。"),
                      QStringLiteral("復元に失敗しました。"), forms::vbExclamation);
}

void frmRestore::CloseButton_Click() {
    if (!BeginBusy()) {
        return;
    }
    Unload();
}
