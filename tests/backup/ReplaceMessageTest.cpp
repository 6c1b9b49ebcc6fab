#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>

#include "ScreenFixture.h"
#include "backup/DataRecovery.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/ZipArchive.h"

// The message after a restore or an import tells what the data folder holds, also when a
// step after the new data is in place fails, or when the replacement can first be neither
// finished nor undone.
namespace {

using Files = std::map<QString, QByteArray>;

// At the step and path it waits for, the disk step hook makes a folder unwritable (the
// path's own folder when none is named); at the renames that follow, writable again after
// a number of them (0: never).
struct Meddling {
    const char* step;
    QString pathEnd;
    QString folder;
    int renamesUntilWritable;
};
Meddling meddling;
QString unwritable;
int renamesSince = 0;

class ReplaceMessageTest : public ScreenFixture {
  protected:
    void TearDown() override {
        shell::setDiskStepHook(nullptr);
        if (!unwritable.isEmpty()) {
            makeWritable(unwritable);
        }
        ScreenFixture::TearDown();
    }

    static void meddle(const char* step, const QString& path) {
        if (unwritable.isEmpty() && std::strcmp(step, meddling.step) == 0 &&
            path.endsWith(meddling.pathEnd)) {
            const QString folder =
                meddling.folder.isEmpty() ? path.left(path.lastIndexOf('/')) : meddling.folder;
            if (makeUnwritable(folder)) {
                unwritable = folder;
            }
            renamesSince = 0;
            return;
        }
        if (!unwritable.isEmpty() && std::strcmp(step, "rename") == 0 &&
            ++renamesSince == meddling.renamesUntilWritable) {
            makeWritable(unwritable);
        }
    }
};

TEST_F(ReplaceMessageTest, ARestoreOrImportSaysDoneWhenTheNewDataIsInPlace) {
    const struct {
        const char* name;
        Meddling meddling;
    } cases[] = {
        // The run folder's record cannot be removed once the new files are in place.
        {"the record stays", {"remove", "/replace", "", 0}},
        // Moving the database in fails and so does moving the files back; taken up again
        // at once, the replacement finds the folder writable.
        {"neither finished nor undone at first", {"rename", "/new/morvik2.mde", "data", 2}},
    };
    for (const auto& c : cases) {
        for (const bool import : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (import ? ", import" : ", restore"));
            makeDataFolder();
            QDir(backupFolder("")).removeRecursively();
            makeChangedDatabase(backupFolder("20240101000000/morvik2.mde"));
            Files newData = dataFiles();
            newData["morvik2.mde"] = read(backupFolder("20240101000000/morvik2.mde"));
            forms::TestHook::enable();
            screen->OperationOption[1]->setChecked(true);
            meddling = c.meddling;
            if (meddling.folder == "data") {
                meddling.folder = dataFolder();
            }
            unwritable.clear();
            shell::setDiskStepHook(meddle);
            if (import) {
                QDir().mkpath(path("in"));
                ASSERT_TRUE(shell::zipFiles({backupFolder("20240101000000/morvik2.mde")},
                                            path("in/x.bak")));
                forms::TestHook::queueDialogAnswer(path("in/x.bak"));
                screen->Import_File->click();
            } else {
                clickCheck(0);
                forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
                screen->RestoreButton->click();
            }
            shell::setDiskStepHook(nullptr);
            ASSERT_FALSE(unwritable.isEmpty()) << "the step was not met";
            makeWritable(unwritable);
            EXPECT_EQ(boxTexts().last(),
                      import ? "復元を完了しました。" : "データの復元を完了しました。");
            EXPECT_EQ(forms::TestHook::msgBoxes().back().style, 64);
            DataRecovery::Recover(dataFolder());
            EXPECT_EQ(dataFiles(), newData);
            EXPECT_EQ(QDir(backupFolder("")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                      QStringList({"20240101000000", "20240305091502-auto"}));
            QFile::remove(path("in/x.bak"));
        }
    }
}

}  // namespace
