#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "DataReplace.h"
#include "platform/forms/Form.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The backup and restore screen: folder backups of the data files that backup.ini lists,
// their restore and deletion, and the export and import of backup files. Two modes,
// chosen by the option buttons: backup (index 0) and restore (index 1).
class frmRestore : public forms::Form {
  public:
    frmRestore();

    // Shows the program's restore screen modally over owner (none: no owner), creating it
    // when no instance exists, and returns when it has closed. Each opening starts in
    // backup mode. In test mode (forms::TestHook) the screen is not shown: it is recorded
    // as a dialog of kind "form" with its caption and takes (and ignores) one scripted
    // dialog answer.
    static void ShowModal(QWidget* owner = nullptr);

    // The data files of backup.ini in the program folder, joined to MainModule::DBFolder.
    bool GetDataFileList(QStringList& files) const;
    // One folder backup of the listed files; true only when every file was copied.
    bool BackupToFolder();
    // Puts every file of one backup folder (a name of the backup root) back into the data
    // folder, after checking that its database, as backup.ini names it (else the settings
    // record's), is one of this system's.
    ReplaceResult RestoreFolder(const QString& folderName);
    // The row count of basic_tbl in the database file, or a negative failure code;
    // newerFormat as DataFileCheck::BasicRows sets it.
    int32_t CheckDataFile(const QString& folder, const QString& fileName,
                          bool* newerFormat = nullptr) const;

    // Applies the mode of option button index and rebuilds the list of backups.
    void OperationOption_Click(int index);
    // Leaves only the entry at index checked and enables the restore and delete buttons.
    void BackupList_ItemCheck(int index);
    void BackupButton_Click();
    void RestoreButton_Click();
    void DeleteButton_Click();
    void Export_File_Click();
    void Import_File_Click();
    void CloseButton_Click();

    std::array<QRadioButton*, 2> OperationOption{};
    QGroupBox* Frame1 = nullptr;
    QLabel* MsgLabel = nullptr;
    QListWidget* BackupList = nullptr;
    QPlainTextEdit* MsgText = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* Export_File = nullptr;
    QPushButton* Import_File = nullptr;
    QPushButton* BackupButton = nullptr;
    QPushButton* RestoreButton = nullptr;
    QPushButton* CloseButton = nullptr;

    // The folder name behind each entry of BackupList.
    QStringList BackupFolders;

  protected:
    void Form_Load() override;

  private:
    // Rebuilds BackupList and BackupFolders from the backup root; shows MsgText instead
    // when there are no backups.
    void ListBackups();
    // The busy guard: false when the hourglass already shows; otherwise shows it.
    bool BeginBusy();
    void EndBusy();
    // The database of an unpacked backup file put in place of the data folder's.
    void ImportFrom(const QString& folder);
    // Puts the files into the data folder when their database is one of this system's
    // (Refused otherwise).
    ReplaceResult PutInPlace(const std::vector<IncomingFile>& incoming, const QString& database);
    // Tells the user when the result is a refusal of a database written by a newer release
    // of the program, or of one whose check ran out of time; true when it was.
    bool ExplainedRefusal(const ReplaceResult& result) const;

    bool filling_ = false;
    // The last PutInPlace refused a database written by a newer release.
    bool newerBackup_ = false;
    // The check of the last PutInPlace's database did not end within its time limit.
    bool checkTimedOut_ = false;
};
