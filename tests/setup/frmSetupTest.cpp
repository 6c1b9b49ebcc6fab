#include <QFile>
#include <memory>

#include "SetupFixture.h"
#include "platform/excel/OfficeProgram.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/forms/VbColor.h"
#include "setup/SetupSettings.h"
#include "setup/frmSetup.h"
#include "setup/modSetup.h"

namespace {

const QString kSetupFailed =
    "初期設定に失敗しました｡\r\nインストールを中止して最初からやり直してください。";

class frmSetupTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        excel::office::setProgram("sh");
    }
    void TearDown() override {
        form_.reset();
        excel::office::setProgram("soffice");
        SetupFixture::TearDown();
    }
    frmSetup& open() {
        form_ = std::make_unique<frmSetup>();
        form_->SetDeleteOnUnload(false);
        form_->Show();
        return *form_;
    }
    static void next(frmSetup& form, int times = 1) {
        for (int i = 0; i < times; ++i) {
            form.NextButton_Click();
        }
    }
    SetupSettings stored() const {
        SetupSettings settings(TestDatabase::fileName(), TestDatabase::password(),
                               database.folder());
        EXPECT_EQ(settings.LoadCurrentSettings(), 1);
        return settings;
    }
    QString storedSystemId() const {
        SetupSettings settings = stored();
        return settings.SystemTypeRow()(0, SetupSettings::SystemId).toString();
    }

    std::unique_ptr<frmSetup> form_;
};

TEST_F(frmSetupTest, WalkingThePagesWritesTheChoices) {
    frmSetup& form = open();
    ASSERT_EQ(form.Step(), 0);
    EXPECT_EQ(form.Caption(), "モルビク - 初期設定(1 / 7)");
    EXPECT_FALSE(form.BeforeButton->isEnabled());
    EXPECT_TRUE(form.NextButton->isEnabled());
    EXPECT_FALSE(form.EndButton->isEnabled());
    EXPECT_TRUE(form.CmdCombo[0]->isHidden());

    next(form);
    EXPECT_EQ(form.Caption(), "モルビク - 初期設定(2 / 7)");
    ASSERT_TRUE(form.CmdCombo[0]->isVisible());
    EXPECT_EQ(form.CmdCombo[0]->currentIndex(), 0);
    form.CmdCombo[0]->setCurrentIndex(9);
    next(form);
    EXPECT_TRUE(form.CmdOption[0]->isChecked());
    form.CmdOption[1]->setChecked(true);
    next(form);
    ASSERT_TRUE(form.CmdOption[1]->isEnabled());
    form.CmdOption[1]->setChecked(true);
    next(form);
    form.CmdOption[1]->setChecked(true);
    next(form);
    EXPECT_TRUE(form.CmdCheck[0]->isVisible());
    EXPECT_TRUE(form.CmdOption[0]->isHidden());
    form.CmdCheck[0]->setChecked(true);
    form.CmdCheck[1]->setChecked(true);
    next(form);
    ASSERT_EQ(form.Step(), 6);
    EXPECT_EQ(form.Caption(), "モルビク - 初期設定(7 / 7)");
    EXPECT_FALSE(form.NextButton->isEnabled());
    EXPECT_TRUE(form.EndButton->isEnabled());

    form.EndButton_Click();
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(forms::TestHook::ends().size(), 1u);
    EXPECT_EQ(storedSystemId(), "CVA093301");
    const SetupSettings settings = stored();
    EXPECT_EQ(settings.Setting(SetupSettings::TradeFigure), 9);
    EXPECT_EQ(settings.Setting(SetupSettings::UnitDecimal), 3);
    EXPECT_EQ(settings.Setting(SetupSettings::SumDecimal), 3);
    EXPECT_EQ(settings.Setting(SetupSettings::PrintType), 1);
    EXPECT_EQ(settings.Setting(SetupSettings::PictureFlg), 1);
    EXPECT_TRUE(settings.MadeBefore());
    EXPECT_EQ(installValue("InstallVersion"), "2.0.4");
}

TEST_F(frmSetupTest, PagesShowTheWizardPictures) {
    frmSetup& form = open();
    const long welcome = form.Point(300, 300);
    EXPECT_NE(welcome, forms::vbWhite);
    EXPECT_NE(welcome, form.BackColor());
    EXPECT_EQ(form.Point(4000, 300), forms::vbWhite);
    next(form);
    EXPECT_EQ(form.Point(420, 1520), forms::RGB(0x2E, 0x86, 0xDE));
    next(form);
    EXPECT_EQ(form.Point(420, 1520), forms::RGB(0x16, 0xA0, 0x85));
}

TEST_F(frmSetupTest, GoingBackKeepsTheChoicesAndTheDigitsList) {
    frmSetup& form = open();
    next(form);
    form.CmdCombo[0]->setCurrentIndex(4);
    next(form);
    form.CmdOption[1]->setChecked(true);
    form.BeforeButton_Click();
    ASSERT_EQ(form.Step(), 1);
    EXPECT_EQ(form.CmdCombo[0]->count(), 10);
    EXPECT_EQ(form.CmdCombo[0]->currentIndex(), 4);
    EXPECT_EQ(form.CmdCombo[0]->itemText(0), "    4");
    EXPECT_EQ(form.CmdCombo[0]->itemText(9), "   13");
    next(form);
    EXPECT_TRUE(form.CmdOption[1]->isChecked());
    next(form, 4);
    form.EndButton_Click();
    EXPECT_EQ(storedSystemId(), "NEO043301");
}

TEST_F(frmSetupTest, StoredSupportLetterSetsTheCheckBoxes) {
    storeSystemType("'NEL000001'", "0");
    frmSetup& form = open();
    next(form, 5);
    EXPECT_FALSE(form.CmdCheck[0]->isChecked());
    EXPECT_TRUE(form.CmdCheck[1]->isChecked());
    next(form);
    form.EndButton_Click();
    EXPECT_EQ(storedSystemId(), "NEL000001");
}

TEST_F(frmSetupTest, WithoutSpreadsheetProgramOwnPrintingIsFixed) {
    excel::office::setProgram("no-such-office-program");
    frmSetup& form = open();
    next(form, 3);
    EXPECT_FALSE(form.CmdOption[0]->isEnabled());
    EXPECT_FALSE(form.CmdOption[1]->isEnabled());
    EXPECT_TRUE(form.CmdOption[1]->isChecked());
    next(form, 3);
    form.EndButton_Click();
    EXPECT_EQ(storedSystemId(), "NVO000001");
}

TEST_F(frmSetupTest, SettingsMadeBeforeOnlyRewriteTheInstallInformation) {
    storeSystemType("'CVA093301'", "1");
    frmSetup& form = open();
    EXPECT_EQ(forms::TestHook::ends().size(), 1u);
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(installValue("InstallVersion"), "2.0.4");
    EXPECT_EQ(form.Settings()->Setting(SetupSettings::TradeFigure), 0);
    EXPECT_EQ(storedSystemId(), "CVA093301");
}

TEST_F(frmSetupTest, ResetModeShowsThePagesAndKeepsTheFlag) {
    storeSystemType("'CVA093301'", "1");
    modSetup::ResetMode = true;
    frmSetup& form = open();
    EXPECT_TRUE(forms::TestHook::ends().empty());
    EXPECT_EQ(installValue("InstallVersion"), "");
    next(form, 5);
    EXPECT_TRUE(form.CmdCheck[0]->isChecked());
    EXPECT_TRUE(form.CmdCheck[1]->isChecked());
    form.CmdCheck[1]->setChecked(false);
    next(form);
    form.EndButton_Click();
    EXPECT_EQ(storedSystemId(), "NER000001");
    EXPECT_TRUE(stored().MadeBefore());
}

TEST_F(frmSetupTest, UnreadableSettingsEndWithTheMessage) {
    modSetup::DBFolder = database.folder() + "/missing";
    frmSetup& form = open();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, kSetupFailed);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbCritical);
    EXPECT_EQ(forms::TestHook::ends().size(), 1u);
    EXPECT_EQ(installValue("InstallVersion"), "");
    form.NextButton_Click();
    EXPECT_EQ(form.Step(), 0);
}

TEST_F(frmSetupTest, FailedSaveIsReportedAndTheInstallInformationWritten) {
    frmSetup& form = open();
    next(form, 6);
    ASSERT_TRUE(QFile::remove(database.filePath()));
    form.EndButton_Click();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, kSetupFailed);
    EXPECT_EQ(installValue("InstallVersion"), "2.0.4");
    EXPECT_EQ(forms::TestHook::ends().size(), 1u);
}

}  // namespace
