#include <unistd.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "BackupFixture.h"
#include "backup/BackupRoot.h"

namespace {

const vb::Date kTime = vb::Date::fromYmdHms(2024, 3, 5, 9, 15, 2);

class BackupRootTest : public BackupFixture {
  protected:
    QStringList dataFiles() const {
        QStringList files{databasePath()};
        for (const QString& book : kWorkbooks) {
            files << dataFolder() + "/" + book;
        }
        return files;
    }
    QString root() const { return dataFolder() + "/backup"; }
};

TEST(BackupRootEntryText, CutsTheNameIntoDateAndTime) {
    const struct {
        QString name;
        QString text;
    } cases[] = {
        {"20240305091502", "2024年03月05日 09時15分02秒 にバックアップされたデータ"},
        {"notes.txt", "note年s.月tx日 t時分秒 にバックアップされたデータ"},
        {"", "年月日 時分秒 にバックアップされたデータ"},
        {"20240305100000-auto", "2024年03月05日 10時00分00秒 に復元前の状態を自動保存したデータ"},
        {"20240305100000-autox", "2024年03月05日 10時00分00秒 にバックアップされたデータ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BackupRoot::entryText(c.name), c.text);
    }
}

TEST_F(BackupRootTest, ABackupInTheSameSecondTakesTheNextFreeSecond) {
    const BackupRoot backups(dataFolder());
    ASSERT_EQ(backups.create(dataFiles(), kTime), "20240305091502");
    const auto first = snapshot(root() + "/20240305091502");
    write(databasePath(), "changed in between");

    ASSERT_EQ(backups.create(dataFiles(), kTime), "20240305091503");
    EXPECT_EQ(snapshot(root() + "/20240305091502"), first);
    EXPECT_EQ(read(root() + "/20240305091503/morvik2.mde"), "changed in between");
    EXPECT_EQ(first.size(), 8u);
    EXPECT_EQ(backups.names(), QStringList({"20240305091502", "20240305091503"}));
}

TEST_F(BackupRootTest, EveryEntryIsListedAlsoHandPlacedAndHiddenOnes) {
    QDir().mkpath(root() + "/.hidden");
    write(root() + "/notes.txt", "placed by hand");
    QDir().mkpath(root() + "/20230101000000");
    EXPECT_EQ(BackupRoot(dataFolder()).names(),
              QStringList({".hidden", "20230101000000", "notes.txt"}));
}

TEST_F(BackupRootTest, AFailedBackupLeavesTheDataFolderAsItWas) {
    const bool asRoot = geteuid() == 0;
    const struct {
        const char* name;
        std::function<void()> inject;
        std::function<void()> undo;
    } cases[] = {
        {"the last listed file missing", [&] { QFile::remove(dataFolder() + "/uriage.xlsx"); },
         [&] { write(dataFolder() + "/uriage.xlsx", "layout uriage.xlsx"); }},
        {"a listed file missing in the middle",
         [&] { QFile::remove(dataFolder() + "/bunrui.xlsx"); },
         [&] { write(dataFolder() + "/bunrui.xlsx", "layout bunrui.xlsx"); }},
        // Root reads any file, so a folder stands in the file's place there.
        {"an unreadable file",
         [&] {
             if (asRoot) {
                 QFile::remove(dataFolder() + "/zaiko.xlsx");
                 QDir().mkpath(dataFolder() + "/zaiko.xlsx");
             } else {
                 QFile::setPermissions(dataFolder() + "/zaiko.xlsx", {});
             }
         },
         [&] {
             QDir(dataFolder() + "/zaiko.xlsx").removeRecursively();
             QFile::setPermissions(dataFolder() + "/zaiko.xlsx",
                                   QFile::ReadOwner | QFile::WriteOwner);
             write(dataFolder() + "/zaiko.xlsx", "layout zaiko.xlsx");
         }},
    };
    for (const bool rootThere : {false, true}) {
        if (rootThere) {
            QDir().mkpath(root() + "/20230101000000");
        }
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (rootThere ? ", backups there" : ""));
            c.inject();
            const auto before = snapshot(dataFolder());
            EXPECT_EQ(BackupRoot(dataFolder()).create(dataFiles(), kTime), "");
            EXPECT_EQ(snapshot(dataFolder()), before);
            c.undo();
        }
    }
}

TEST_F(BackupRootTest, AFullDiskLeavesNoPartialBackup) {
    const auto before = snapshot(dataFolder());
    {
        const FileSizeLimit limit(1000);  // the workbooks fit, the database does not
        EXPECT_EQ(BackupRoot(dataFolder()).create(dataFiles(), kTime), "");
    }
    EXPECT_EQ(snapshot(dataFolder()), before);
}

TEST_F(BackupRootTest, RemovesOnlyOneEntryOfTheRoot) {
    const BackupRoot backups(dataFolder());
    ASSERT_EQ(backups.create(dataFiles(), kTime), "20240305091502");
    write(path("outside/keep.txt"), "outside");
    ASSERT_TRUE(QFile::link(path("outside"), root() + "/link"));
    const auto before = snapshot(dataFolder());
    for (const char* name : {"", ".", "..", "../morvik2.mde", "../backup", "/", "a/b", "none"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(backups.remove(name));
    }
    EXPECT_EQ(snapshot(dataFolder()), before);

    EXPECT_TRUE(backups.remove("link"));
    EXPECT_EQ(read(path("outside/keep.txt")), "outside");
    EXPECT_TRUE(backups.remove("20240305091502"));
    EXPECT_TRUE(backups.names().isEmpty());
    EXPECT_TRUE(QDir(root()).exists());
}

TEST_F(BackupRootTest, EntriesOfAnyNameAreRestoredFromAndRemoved) {
    const BackupRoot backups(dataFolder());
    // The last two are 255 bytes, the longest name a folder holds.
    for (const QString& name :
         {QString("-a\nb"), QString("古い\\データ"), QString(255, 'n'), QString(85, u'古')}) {
        SCOPED_TRACE(name.toStdString());
        write(root() + "/" + name + "/morvik2.mde", "db");
        QStringList files;
        EXPECT_TRUE(backups.files(name, files));
        EXPECT_EQ(files, QStringList{root() + "/" + name + "/morvik2.mde"});
        EXPECT_EQ(backups.names(), QStringList{name});
        EXPECT_TRUE(backups.remove(name));
        EXPECT_TRUE(backups.names().isEmpty());
    }
}

TEST_F(BackupRootTest, ARestoreTakesOnlyAFolderOfPlainFiles) {
    const BackupRoot backups(dataFolder());
    write(root() + "/good/morvik2.mde", "db");
    write(root() + "/good/morvik2.mde-journal", "side");
    write(root() + "/good/morvik2.mde-wal", "side");
    write(root() + "/good/extra.txt", "kept by an older list");
    write(root() + "/nested/sub/x.mde", "x");
    write(root() + "/linked/morvik2.mde", "db");
    QFile::link(databasePath(), root() + "/linked/other.mde");
    QFile::link(root() + "/good", root() + "/folderlink");
    write(root() + "/file.txt", "a file");

    QStringList files;
    EXPECT_TRUE(backups.files("good", files));
    EXPECT_EQ(files, QStringList({root() + "/good/extra.txt", root() + "/good/morvik2.mde"}));
    for (const char* name : {"nested", "linked", "folderlink", "file.txt", "none", "..", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(backups.files(name, files));
        EXPECT_TRUE(files.isEmpty());
    }
}

}  // namespace
