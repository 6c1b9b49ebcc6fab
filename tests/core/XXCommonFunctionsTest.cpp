#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestFiles.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/shell/Programs.h"

namespace {

TEST(XXCommonFunctionsTest, SplitPathSetsEveryPart) {
    const struct {
        const char* path;
        const char* drive;
        const char* folder;
        const char* fileName;
        const char* baseName;
        const char* extension;
    } cases[] = {
        {"/data/list.2024.xlsx", "", "/data/", "list.2024.xlsx", "list.2024", "xlsx"},
        {"/home/user/report", "", "/home/user/", "report", "report", ""},
        {"report.xlsx", "", "", "report.xlsx", "report", "xlsx"},
        {"/data/", "", "/data/", "", "", ""},
        {"/", "", "/", "", "", ""},
        {"", "", "", "", "", ""},
        {"//server/share/a.bak", "//server", "/share/", "a.bak", "a", "bak"},
        {"//server", "//server", "", "", "", ""},
        {"//", "//", "", "", "", ""},
    };
    for (const auto& c : cases) {
        // Outputs left over from an earlier call must not survive.
        QString drive = "old", folder = "old", fileName = "old", baseName = "old",
                extension = "old";
        XX共通関数::SplitPath(c.path, drive, folder, fileName, baseName, extension);
        EXPECT_EQ(drive, c.drive) << c.path;
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(fileName, c.fileName) << c.path;
        EXPECT_EQ(baseName, c.baseName) << c.path;
        EXPECT_EQ(extension, c.extension) << c.path;
    }
}

TEST(XXCommonFunctionsTest, GetMonthEndDateIsTheLastDayOfTheMonthAtMidnight) {
    const struct {
        vb::Date day;
        vb::Date monthEnd;
    } cases[] = {
        {vb::Date::fromYmd(2024, 2, 1), vb::Date::fromYmd(2024, 2, 29)},
        {vb::Date::fromYmd(2024, 2, 29), vb::Date::fromYmd(2024, 2, 29)},
        {vb::Date::fromYmdHms(2024, 2, 15, 13, 30, 0), vb::Date::fromYmd(2024, 2, 29)},
        {vb::Date::fromYmd(2023, 2, 10), vb::Date::fromYmd(2023, 2, 28)},
        {vb::Date::fromYmd(2024, 12, 1), vb::Date::fromYmd(2024, 12, 31)},
        {vb::Date::fromYmd(2024, 12, 31), vb::Date::fromYmd(2024, 12, 31)},
        {vb::Date::fromYmd(2024, 4, 30), vb::Date::fromYmd(2024, 4, 30)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XX共通関数::GetMonthEndDate(c.day), c.monthEnd) << c.day.toString().toStdString();
    }
}

TEST(XXCommonFunctionsTest, GetAppPathIsTheProgramFolderWithOneSlash) {
    const QString path = XX共通関数::GetAppPath();
    EXPECT_EQ(path, forms::App::Path() + "/");
    EXPECT_FALSE(path.endsWith("//"));
}

TEST(XXCommonFunctionsTest, ReadIniStringReadsValuesOfARealFile) {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/backup.ini";
    ASSERT_TRUE(writeFile(ini,
                          "; data files\r\n[BackupFile]\r\nFile1=morvik2.mde\r\n"
                          "File2 = \"backup.ini\"\r\nLong=" +
                              QByteArray(300, 'x') + "\r\n"));
    const struct {
        const char* file;
        const char* section;
        const char* key;
        QString value;
    } cases[] = {
        {"backup.ini", "BackupFile", "File1", "morvik2.mde"},
        {"backup.ini", "backupfile", "FILE2", "backup.ini"},
        {"backup.ini", "BackupFile", "File3", ""},
        {"backup.ini", "Other", "File1", ""},
        {"missing.ini", "BackupFile", "File1", ""},
        {"backup.ini", "BackupFile", "Long", QString(255, 'x')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XX共通関数::ReadIniString(dir.path() + "/" + c.file, c.section, c.key), c.value)
            << c.file << " " << c.section << " " << c.key;
    }
}

TEST(XXCommonFunctionsTest, FileOperationsReportWhatHappenedToRealFiles) {
    QTemporaryDir dir;
    const QString root = dir.path();
    ASSERT_TRUE(writeFile(root + "/data/morvik2.mde", "db"));
    ASSERT_TRUE(writeFile(root + "/data/backup.ini", "ini"));
    ASSERT_TRUE(writeFile(root + "/data/sub/note.txt", "note"));

    EXPECT_TRUE(XX共通関数::CopyFiles(root + "/data/*.*", root + "/copy"));
    EXPECT_EQ(readFile(root + "/copy/morvik2.mde"), "db");
    EXPECT_EQ(readFile(root + "/copy/sub/note.txt"), "note");
    ASSERT_TRUE(writeFile(root + "/data/morvik2.mde", "new"));
    EXPECT_TRUE(XX共通関数::CopyFiles(root + "/data/morvik2.mde", root + "/copy"));
    EXPECT_EQ(readFile(root + "/copy/morvik2.mde"), "new");
    EXPECT_FALSE(XX共通関数::CopyFiles(root + "/data/missing.mde", root + "/copy"));

    EXPECT_TRUE(XX共通関数::DeleteFile(root + "/copy/backup.ini"));
    EXPECT_FALSE(QFileInfo::exists(root + "/copy/backup.ini"));
    EXPECT_FALSE(XX共通関数::DeleteFile(root + "/copy/backup.ini"));
    EXPECT_FALSE(XX共通関数::DeleteFile(root + "/copy/sub"));

    EXPECT_TRUE(XX共通関数::DeleteFiles(root + "/copy"));
    EXPECT_FALSE(QFileInfo::exists(root + "/copy"));
    EXPECT_FALSE(XX共通関数::DeleteFiles(root + "/copy"));
    EXPECT_TRUE(QFileInfo::exists(root + "/data/sub/note.txt"));
}

TEST(XXCommonFunctionsTest, GetSpecialFolderPathGivesTheFoldersTheSystemAsksFor) {
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    EXPECT_EQ(XX共通関数::GetSpecialFolderPath(0x1C), dir.path());
    EXPECT_FALSE(XX共通関数::GetSpecialFolderPath(5).isEmpty());
    EXPECT_FALSE(XX共通関数::GetSpecialFolderPath(0).isEmpty());
    EXPECT_EQ(XX共通関数::GetSpecialFolderPath(0x1A), "");
    qunsetenv("XDG_DATA_HOME");
}

// root/a.ini, root/b.txt, root/x.ini/ (a folder) with e.txt and e.ini, root/sub/c.ini,
// root/sub/deep/d.ini, root/sub/deep/f.txt, and root/sub/up: a link to root.
class FindFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        for (const char* file : {"a.ini", "b.txt", "x.ini/e.txt", "x.ini/e.ini", "sub/c.ini",
                                 "sub/deep/d.ini", "sub/deep/f.txt"}) {
            ASSERT_TRUE(writeFile(path(file)));
        }
        ASSERT_TRUE(QFile::link(root(), path("sub/up")));
    }

    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const { return root() + "/" + relative; }

    QStringList paths(std::initializer_list<const char*> relatives) const {
        QStringList result;
        for (const char* relative : relatives) {
            result << (*relative == '\0' ? root() : path(relative));
        }
        return result;
    }

    QTemporaryDir dir_;
};

TEST_F(FindFilesTest, TheCallersPatternAppliesAtEveryLevel) {
    const struct {
        const char* pattern;
        bool recurse;
        int16_t kind;
        QStringList found;
    } cases[] = {
        {"*.ini", false, XX共通関数::FilesAndFolders, paths({"a.ini", "x.ini"})},
        {"*.ini", false, XX共通関数::FilesOnly, paths({"a.ini"})},
        {"*.ini", false, XX共通関数::FoldersOnly, paths({"x.ini"})},
        {"*.ini", true, XX共通関数::FilesOnly,
         paths({"a.ini", "sub/c.ini", "sub/deep/d.ini", "x.ini/e.ini"})},
        {"*.ini", true, XX共通関数::FilesAndFolders,
         paths({"a.ini", "sub/c.ini", "sub/deep/d.ini", "x.ini", "x.ini/e.ini"})},
        {"*", true, XX共通関数::FoldersOnly, paths({"sub", "sub/deep", "sub/up", "x.ini"})},
        {"sub", true, XX共通関数::FilesAndFolders,
         paths({"sub", "sub/c.ini", "sub/deep", "sub/deep/d.ini", "sub/deep/f.txt", "sub/up"})},
        {"sub", false, XX共通関数::FilesAndFolders, paths({"sub"})},
        {"b.txt", true, XX共通関数::FilesAndFolders, paths({"b.txt"})},
        {"*.mde", true, XX共通関数::FilesAndFolders, {}},
        {"missing/*.*", true, XX共通関数::FilesAndFolders, {}},
    };
    for (const auto& c : cases) {
        QStringList found{"left over"};
        const int32_t count = XX共通関数::FindFiles(path(c.pattern), found, c.recurse, c.kind);
        EXPECT_EQ(found, c.found) << c.pattern << " recurse " << c.recurse << " kind " << c.kind;
        EXPECT_EQ(count, c.found.size()) << c.pattern;
    }
}

TEST_F(FindFilesTest, AFolderNamedByItsOwnPathBringsEverythingBelowIt) {
    QStringList found;
    XX共通関数::FindFiles(root(), found, true, XX共通関数::FilesOnly);
    EXPECT_EQ(found, paths({"a.ini", "b.txt", "sub/c.ini", "sub/deep/d.ini", "sub/deep/f.txt",
                            "x.ini/e.ini", "x.ini/e.txt"}));
}

TEST(XXCommonFunctionsTest, FindExecutablePathGivesTheFolderOfTheFoundFile) {
    QString folder = "old";
    ASSERT_TRUE(XX共通関数::FindExecutablePath("sh", folder));
    EXPECT_TRUE(folder.endsWith("/"));
    EXPECT_TRUE(QFileInfo(folder + "sh").isFile());

    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.path() + "/tools/run.sh"));
    ASSERT_TRUE(XX共通関数::FindExecutablePath(dir.path() + "/tools/run.sh", folder));
    EXPECT_EQ(folder, "");

    EXPECT_FALSE(XX共通関数::FindExecutablePath(dir.path() + "/tools/missing.sh", folder));
    EXPECT_EQ(folder, "");
    EXPECT_FALSE(XX共通関数::FindExecutablePath(dir.path() + "/tools", folder));
}

TEST(XXCommonFunctionsTest, LaunchProgramSplitsAtTheBlankAfterWhichAProgramIsNamed) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/my tools/echo args.sh";
    ASSERT_TRUE(
        writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/out\"\n"));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const shell::ProcessId started = XX共通関数::LaunchProgram(program + " first \"two words\"");
    ASSERT_GT(started, 0);
    ASSERT_TRUE(shell::waitForExit(started, 10000));
    EXPECT_EQ(readFile(dir.path() + "/my tools/out"), "first\ntwo words\n");

    const shell::ProcessId bare = XX共通関数::LaunchProgram("sh -c true");
    EXPECT_GT(bare, 0);
    shell::waitForExit(bare, 10000);

    EXPECT_EQ(XX共通関数::LaunchProgram(dir.path() + "/missing program.sh x"), 0);
    EXPECT_EQ(XX共通関数::LaunchProgram(""), 0);
}

}  // namespace
