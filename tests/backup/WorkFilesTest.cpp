#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <cstring>
#include <functional>

#include "ScreenFixture.h"
#include "backup/BackupModule.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/ZipArchive.h"

// The work files of the backup operations: a link planted at any name a work file is about
// to be created under is never written through, and the work lives in folders of the
// user's alone.
namespace {

using Files = std::map<QString, QByteArray>;

int createsSeen = 0;
int createToPlantAt = 0;
QString victim;

void plantLinkAtCreate(const char* step, const QString& path) {
    if (std::strcmp(step, "create file") == 0 && ++createsSeen == createToPlantAt) {
        QFile::link(victim, path);
    }
}

// The permissions of every work folder met in the data folder.
std::vector<unsigned> workFolderModes;
QString watchedFolder;

void noteWorkFolders(const char*, const QString& path) {
    const qsizetype at = path.indexOf(watchedFolder + "/.work-");
    if (at != 0) {
        return;
    }
    const QString folder = path.left(path.indexOf('/', watchedFolder.size() + 1));
    struct stat status {};
    if (::stat(QFile::encodeName(folder).constData(), &status) == 0) {
        workFolderModes.push_back(status.st_mode & 07777);
    }
}

class WorkFilesTest : public ScreenFixture {
  protected:
    void TearDown() override {
        shell::setDiskStepHook(nullptr);
        ScreenFixture::TearDown();
    }

    QStringList listedFiles() const {
        QStringList files{databasePath()};
        for (const QString& book : kWorkbooks) {
            files << dataFolder() + "/" + book;
        }
        return files;
    }

    // The operations that create work files, each reporting whether it succeeded.
    struct Operation {
        const char* name;
        std::function<bool()> run;
    };
    std::vector<Operation> operations() {
        return {
            {"folder backup", [this] { return screen->BackupToFolder(); }},
            {"folder restore",
             [this] { return static_cast<bool>(screen->RestoreFolder("20240101000000")); }},
            {"export",
             [this] { return BackupModule::WriteBackupFile(listedFiles(), path("out/x.bak")); }},
            {"import",
             [this] {
                 forms::TestHook::queueDialogAnswer(path("in/x.bak"));
                 screen->Import_File_Click();
                 return boxTexts() == QStringList{"復元を完了しました。"};
             }},
        };
    }

    void prepare() {
        makeDataFolder();
        QDir(backupFolder("")).removeRecursively();
        makeChangedDatabase(backupFolder("20240101000000/morvik2.mde"));
        QDir(path("out")).removeRecursively();
        write(path("out/x.bak"), "an earlier backup");
        QDir(path("in")).removeRecursively();
        makeChangedDatabase(path("in/morvik2.mde"));
        ASSERT_TRUE(shell::zipFiles({path("in/morvik2.mde")}, path("in/x.bak")));
        forms::TestHook::enable();
        screen->OperationOption[1]->setChecked(true);
    }
};

TEST_F(WorkFilesTest, ALinkPlantedAtAWorkFileIsNeverWrittenThrough) {
    victim = path("victim");
    write(victim, "someone else's file");
    for (const Operation& operation : operations()) {
        int planted = 0;
        for (createToPlantAt = 1;; ++createToPlantAt) {
            SCOPED_TRACE(std::string(operation.name) + ", link at work file " +
                         std::to_string(createToPlantAt));
            prepare();
            const Files data = snapshot(dataFolder());
            const Files out = snapshot(path("out"));
            createsSeen = 0;
            shell::setDiskStepHook(plantLinkAtCreate);
            const bool done = operation.run();
            shell::setDiskStepHook(nullptr);
            if (createsSeen < createToPlantAt) {
                EXPECT_TRUE(done);  // ran without a planted link
                break;
            }
            ++planted;
            EXPECT_FALSE(done);
            EXPECT_EQ(read(victim), "someone else's file");
            EXPECT_EQ(snapshot(dataFolder()), data);
            EXPECT_EQ(snapshot(path("out")), out);
            ASSERT_FALSE(HasFailure());
        }
        EXPECT_GT(planted, 1) << operation.name;
    }
}

TEST_F(WorkFilesTest, WorkFoldersAreTheUsersAlone) {
    watchedFolder = dataFolder();
    for (const Operation& operation : operations()) {
        SCOPED_TRACE(operation.name);
        prepare();
        workFolderModes.clear();
        shell::setDiskStepHook(noteWorkFolders);
        EXPECT_TRUE(operation.run());
        shell::setDiskStepHook(nullptr);
        ASSERT_FALSE(workFolderModes.empty());
        for (const unsigned mode : workFolderModes) {
            EXPECT_EQ(mode, 0700u);
        }
        EXPECT_EQ(QDir(dataFolder()).entryList({".work-*"}, QDir::AllEntries | QDir::Hidden),
                  QStringList());
    }
}

}  // namespace
