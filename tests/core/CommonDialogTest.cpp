#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

#include "TestFiles.h"
#include "core/CommonDialog.h"
#include "core/DialogFilter.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/forms/Translations.h"

namespace {

const QChar kNul(u'\0');
const QString kExcelFilter = "Microsoft Excel ブック (*.xlsx)" + QString(kNul) + "*.xlsx";
const QString kBackupFilter = "バックアップファイル (*.bak)" + QString(kNul) + "*.bak" +
                              QString(kNul) + "バックアップファイル Ver2以前 (*.mde)" +
                              QString(kNul) + "*.mde";

class CommonDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        forms::TestHook::enable();
    }
    void TearDown() override { forms::TestHook::disable(); }

    QString path(const QString& name) const { return dir_.path() + "/" + name; }

    QTemporaryDir dir_;
};

TEST_F(CommonDialogTest, SaveAddsTheFiltersExtensionUnlessTheNameEndsInItInAnyCase) {
    const struct {
        QString filter;
        const char* typed;
        const char* saved;
    } cases[] = {
        {kExcelFilter, "report", "report.xlsx"},
        {kExcelFilter, "report.xlsx", "report.xlsx"},
        {kExcelFilter, "report.XLSX", "report.XLSX"},
        {kExcelFilter, "xlsxreport.xlsx", "xlsxreport.xlsx"},
        {kExcelFilter, "reportxlsx", "reportxlsx.xlsx"},
        {kExcelFilter, "report.2024", "report.2024.xlsx"},
        {kBackupFilter, "backup", "backup.bak"},
        {kBackupFilter, "typed.MdE", "typed.MdE"},
        {QString(), "report", "report"},
    };
    for (const auto& c : cases) {
        CommonDialog dialog;
        if (!c.filter.isNull()) {
            dialog.Filter(c.filter);
        }
        forms::TestHook::queueDialogAnswer(path(c.typed));
        EXPECT_EQ(dialog.ShowSave(), path(c.saved)) << c.typed;
    }
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
}

TEST(DialogFilterTest, ANameEndingInTheExtensionOfAnyFilterKeepsItWhicheverIsChosen) {
    const DialogFilter filter(kBackupFilter);
    for (const qsizetype chosen : {0, 1}) {
        EXPECT_EQ(filter.withExtension("typed.MdE", chosen), "typed.MdE");
        EXPECT_EQ(filter.withExtension("typed.Bak", chosen), "typed.Bak");
    }
    EXPECT_EQ(filter.withExtension("typed", 0), "typed.bak");
    EXPECT_EQ(filter.withExtension("typed", 1), "typed.mde");
    EXPECT_EQ(filter.withExtension("typed.xlsx", 1), "typed.xlsx.mde");
}

TEST_F(CommonDialogTest, DialogsShowTheirDefaultTitleAndTheCallersSettings) {
    CommonDialog dialog;
    dialog.InitialFolder("/home/user/Documents");
    dialog.InitialFileName("在庫表20240930");
    dialog.Filter(kBackupFilter);
    dialog.ShowFolder();
    dialog.ShowSave();
    dialog.ShowOpen();
    dialog.Title("データの復元");
    dialog.ShowOpen();

    const auto& shown = forms::TestHook::dialogs();
    ASSERT_EQ(shown.size(), 4u);
    const QString names =
        "バックアップファイル (*.bak) (*.bak);;バックアップファイル Ver2以前 (*.mde) (*.mde)";
    EXPECT_EQ(shown[0].kind, "folder");
    EXPECT_EQ(shown[0].title, "フォルダを選択してください。");
    EXPECT_EQ(shown[0].initialFolder, "/home/user/Documents");
    EXPECT_EQ(shown[1].kind, "save");
    EXPECT_EQ(shown[1].title, "名前を付けて保存");
    EXPECT_EQ(shown[1].fileName, "在庫表20240930");
    EXPECT_EQ(shown[1].filter, names);
    EXPECT_EQ(shown[2].kind, "open");
    EXPECT_EQ(shown[2].title, "ファイルを開く");
    EXPECT_EQ(shown[2].filter, names);
    EXPECT_EQ(shown[3].title, "データの復元");

    CommonDialog fresh;
    fresh.ShowOpen();
    EXPECT_EQ(forms::TestHook::dialogs().back().filter, "すべてのファイル(*.*) (*)");
}

TEST_F(CommonDialogTest, ACancelledDialogGivesNothing) {
    CommonDialog dialog;
    EXPECT_EQ(dialog.ShowFolder(), "");
    EXPECT_EQ(dialog.ShowSave(), "");
    EXPECT_EQ(dialog.ShowOpen(), "");
    EXPECT_EQ(forms::TestHook::dialogs().size(), 3u);
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
}

TEST_F(CommonDialogTest, ReplacingAFileIsAskedAboutTheNameWithItsExtension) {
    ASSERT_TRUE(writeFile(path("report.xlsx")));
    ASSERT_TRUE(writeFile(path("draft")));
    CommonDialog dialog;
    dialog.Filter(kExcelFilter);

    // "draft" exists, but the workbook is draft.xlsx, which does not: nothing to ask.
    forms::TestHook::queueDialogAnswer(path("draft"));
    EXPECT_EQ(dialog.ShowSave(), path("draft.xlsx"));
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());

    forms::TestHook::queueDialogAnswer(path("report"));
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    EXPECT_EQ(dialog.ShowSave(), path("report.xlsx"));
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    const forms::TestHook::MsgBoxShown& question = forms::TestHook::msgBoxes()[0];
    EXPECT_EQ(question.text, "report.xlsx は既に存在します。\r\n上書きしますか？");
    EXPECT_EQ(question.style, 4 + 48 + 256);
    EXPECT_EQ(question.title, "名前を付けて保存");

    // No goes back to the dialog, which shows the name that was refused.
    forms::TestHook::queueDialogAnswer(path("report"));
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    forms::TestHook::queueDialogAnswer(path("other"));
    EXPECT_EQ(dialog.ShowSave(), path("other.xlsx"));
    EXPECT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    ASSERT_EQ(forms::TestHook::dialogs().size(), 4u);
    EXPECT_EQ(forms::TestHook::dialogs()[3].fileName, path("report.xlsx"));
}

TEST_F(CommonDialogTest, FolderAndOpenGiveThePathChosen) {
    CommonDialog dialog;
    dialog.Filter(kBackupFilter);
    const struct {
        const char* chosen;
        const char* folder;
    } folders[] = {{"/", "/"}, {"/data/", "/data"}, {"/data", "/data"}};
    for (const auto& c : folders) {
        forms::TestHook::queueDialogAnswer(c.chosen);
        EXPECT_EQ(dialog.ShowFolder(), c.folder) << c.chosen;
    }
    forms::TestHook::queueDialogAnswer("/data/backup");
    EXPECT_EQ(dialog.ShowOpen(), "/data/backup");
}

// Runs the action on the file dialog once it is open; rejects it when the action did
// not close it.
void whenDialogOpens(const std::function<void(QFileDialog*)>& action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            const QPointer<QFileDialog> open(dialog);
            action(dialog);
            if (open && open->isVisible()) {
                open->reject();
            }
        }
    });
    poll->start(10);
}

TEST(CommonDialogWindowTest, TheSaveDialogIsTheProgramsOwnCentredAndAddsTheExtension) {
    QTemporaryDir dir;
    // An owner in a corner: the dialog still opens in the middle of the desktop.
    QWidget owner;
    owner.setGeometry(0, 0, 120, 80);
    owner.show();
    CommonDialog dialog;
    dialog.OwnerhWnd(&owner);
    dialog.InitialFolder(dir.path());
    dialog.Filter(kBackupFilter);
    dialog.Title("データのバックアップ");

    QRect frame;
    QString title;
    QStringList filters;
    QStringList shownFilters;
    bool ownDialog = false;
    bool asksItself = true;
    whenDialogOpens([&](QFileDialog* open) {
        frame = open->frameGeometry();
        title = open->windowTitle();
        filters = open->nameFilters();
        ownDialog = open->testOption(QFileDialog::DontUseNativeDialog);
        asksItself = !open->testOption(QFileDialog::DontConfirmOverwrite);
        if (auto* types = open->findChild<QComboBox*>("fileTypeCombo")) {
            for (int i = 0; i < types->count(); ++i) {
                shownFilters << types->itemText(i);
            }
        }
        open->selectNameFilter(filters.value(1));
        open->selectFile("backup");
        static_cast<QDialog*>(open)->accept();
    });
    EXPECT_EQ(dialog.ShowSave(), dir.path() + "/backup.mde");

    EXPECT_TRUE(ownDialog);
    EXPECT_FALSE(asksItself);
    EXPECT_EQ(title, "データのバックアップ");
    EXPECT_EQ(filters, QStringList({"バックアップファイル (*.bak) (*.bak)",
                                    "バックアップファイル Ver2以前 (*.mde) (*.mde)"}));
    EXPECT_EQ(shownFilters, QStringList({"バックアップファイル (*.bak)",
                                         "バックアップファイル Ver2以前 (*.mde)"}));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1);
}

TEST(CommonDialogWindowTest, TheFolderDialogListsFoldersAndStartsInTheInitialFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("backup"));
    CommonDialog dialog;
    dialog.InitialFolder(dir.path());

    QString title;
    QString start;
    bool foldersOnly = false;
    whenDialogOpens([&](QFileDialog* open) {
        title = open->windowTitle();
        start = open->directory().absolutePath();
        foldersOnly = open->fileMode() == QFileDialog::Directory &&
                      open->testOption(QFileDialog::ShowDirsOnly);
        open->setDirectory(dir.path() + "/backup");
        static_cast<QDialog*>(open)->accept();
    });
    EXPECT_EQ(dialog.ShowFolder(), dir.path() + "/backup");
    EXPECT_EQ(title, "フォルダを選択してください。");
    EXPECT_EQ(start, dir.path());
    EXPECT_TRUE(foldersOnly);
}

TEST(CommonDialogWindowTest, ADialogWhoseFolderIsMissingStartsInTheHomeFolder) {
    QTemporaryDir dir;
    const QString missing = dir.path() + "/Documents";  // never created
    CommonDialog dialog;
    dialog.InitialFolder(missing);
    const std::vector<std::function<QString()>> shows = {
        [&] { return dialog.ShowSave(); },
        [&] { return dialog.ShowOpen(); },
        [&] { return dialog.ShowFolder(); },
    };
    for (const auto& show : shows) {
        QString start;
        whenDialogOpens([&](QFileDialog* open) { start = open->directory().absolutePath(); });
        EXPECT_EQ(show(), "");
        EXPECT_EQ(start, QDir::homePath());
    }
}

TEST(CommonDialogWindowTest, TheDialogsSpeakJapanese) {
    ASSERT_TRUE(forms::LoadJapaneseTranslations());
    QTemporaryDir dir;
    CommonDialog dialog;
    dialog.InitialFolder(dir.path());
    const struct {
        const char* kind;
        std::function<QString()> show;
        QString accept;
        QString name;  // the label of the name box
    } kinds[] = {
        {"save", [&] { return dialog.ShowSave(); }, "保存(&S)", "ファイル名(&N):"},
        {"open", [&] { return dialog.ShowOpen(); }, "開く(&O)", "ファイル名(&N):"},
        {"folder", [&] { return dialog.ShowFolder(); }, "選択(&C)", "ディレクトリ:"},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        QString lookIn;
        QString name;
        QStringList buttons;
        whenDialogOpens([&](QFileDialog* open) {
            if (auto* label = open->findChild<QLabel*>("lookInLabel")) {
                lookIn = label->text();
            }
            if (auto* label = open->findChild<QLabel*>("fileNameLabel")) {
                name = label->text();
            }
            if (auto* box = open->findChild<QDialogButtonBox*>("buttonBox")) {
                for (QAbstractButton* button : box->buttons()) {
                    buttons << button->text();
                }
            }
        });
        k.show();
        EXPECT_EQ(lookIn, QFileDialog::tr("Look in:"));
        EXPECT_NE(lookIn, "Look in:");
        EXPECT_EQ(name, k.name);
        EXPECT_EQ(buttons, QStringList({k.accept, "キャンセル"}))
            << buttons.join("|").toStdString();
    }
}

}  // namespace
