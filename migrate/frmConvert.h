#pragma once

#include <QPushButton>
#include <QScrollBar>
#include <cstdint>

#include "InstallList.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Subscription.h"

// The migration wizard's window: welcome, choice of the earlier installation,
// confirmation and finish, drawn on the form surface. 開始 on the confirmation page checks
// the earlier data against the new settings and carries it into the new database. When
// the data does not fit the settings the window closes asking for the setup again
// (SetupRequested); earlier product numbers that would become one number are named and
// the window stays on the confirmation page.
class frmConvert : public forms::Form {
  public:
    // A wizard shown again after the setup takes over the list and the chosen row.
    explicit frmConvert(const InstallList& installations = InstallList(), int selectedIndex = -1);
    ~frmConvert() override;

    QPushButton* CancelButton;
    QPushButton* BeforeButton;
    QPushButton* NextButton;
    QPushButton* EndButton;
    QScrollBar* CmdVScroll;
    forms::PictureBox* ProgressPicture;

    void CancelButton_Click();
    void BeforeButton_Click();
    void NextButton_Click();
    void EndButton_Click();
    void CmdVScroll_Change();
    // X and Y in twips of the form surface.
    void Form_MouseDown(int button, int shift, double x, double y);

    int16_t Step() const { return step_; }
    int SelectedIndex() const { return selectedIndex_; }
    bool SetupRequested() const { return setupRequested_; }
    // The folder that took the backup of an earlier installation that could not be
    // written ("" when the backup lies in the installation's own folder).
    const QString& SpareBackupFolder() const { return spareBackupFolder_; }
    InstallList& Installations() { return installList_; }
    // Draws the page of Step() again (after the list has changed).
    void ShowStep();

  protected:
    void Form_Load() override;

  private:
    // 0 moved, -1 failed, -2 the earlier data does not fit the new settings, -3 earlier
    // product numbers collide in the new width or the earlier database is damaged (told,
    // nothing changed, the wizard stays).
    int32_t RunMigration();
    void ChooseOtherFolder();
    void DrawInstallList();
    void DrawHeader(const QString& title, const QString& subtitle);
    void DrawWelcome();
    void DrawConfirmation();
    void Text(const QString& text, int32_t top, int32_t left, double size = 9, bool bold = false);
    void Picture(const QString& type, int32_t id, int32_t top, int32_t left);
    // The path in lines of the page's text font that fit the width, broken after a "/".
    QString PathLines(const QString& path, double width);

    InstallList installList_;
    int selectedIndex_ = -1;
    int16_t step_ = 0;
    bool running_ = false;
    bool setupRequested_ = false;
    QString spareBackupFolder_;
    // The work folder that keeps the database from before a migration that failed half way.
    QString keptFolder_;
    // The size of the earlier installation's backup when its disk had no room for it.
    uint64_t neededBytes_ = 0;
    forms::Subscription mouseDown_;
};
