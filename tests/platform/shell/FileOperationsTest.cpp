#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <filesystem>

#include "TempTree.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileCopy.h"
#include "platform/shell/FileDelete.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/Folders.h"

namespace {

class FileOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override { tree.writeSampleSource(); }
    TempTree tree;
};

struct CopyCase {
    QString source;
    QString target;
    QString listed;  // the folder whose files are compared
    QStringList expected;
};

TEST_F(FileOperationsTest, CopiesWhatThePatternNames) {
    QDir().mkpath(tree.path("existing"));
    const QStringList everything{".hidden",   "a.ini", "b.txt",     "data1.mde",     "data10.mde",
                                 "data2.mde", "noext", "sub/c.ini", "sub/deep/d.txt"};
    const CopyCase cases[] = {
        {"src/*.*", "all/new", "all/new", everything},
        {"src/*", "star", "star", everything},
        {"src/", "slash", "slash", everything},
        {"src/*.ini", "ini", "ini", {"a.ini"}},
        {"src/*.INI", "upper", "upper", {"a.ini"}},
        {"src/data?.mde", "mde", "mde", {"data1.mde", "data2.mde"}},
        {"src/sub", "renamed", "renamed", {"c.ini", "deep/d.txt"}},
        {"src/sub", "existing", "existing", {"sub/c.ini", "sub/deep/d.txt"}},
        {"src/a.ini", "file/x/new.ini", "file", {"x/new.ini"}},
        {"src/a.ini", "intoslash/", "intoslash", {"a.ini"}},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.source.toStdString() + " -> " + c.target.toStdString());
        const shell::FileOpResult result =
            shell::copyFiles(tree.path(c.source), tree.path(c.target));
        EXPECT_TRUE(result.ok);
        EXPECT_TRUE(result.failedPath.isEmpty());
        EXPECT_EQ(tree.files(c.listed), c.expected);
    }
    EXPECT_EQ(tree.read("all/new/sub/deep/d.txt"), "sub/deep/d.txt");
    EXPECT_EQ(tree.read("file/x/new.ini"), "a.ini");
}

TEST_F(FileOperationsTest, ReplacesExistingFilesKeepingTheTime) {
    tree.write("dst/a.ini", "old contents that are longer");
    tree.write("dst/keep.txt", "keep");
    QFile::setPermissions(tree.path("dst/a.ini"), QFile::ReadOwner);
    const auto sourceTime = std::filesystem::last_write_time(tree.path("src/a.ini").toStdString());

    ASSERT_TRUE(shell::copyFiles(tree.path("src/*.ini"), tree.path("dst")).ok);
    EXPECT_EQ(tree.read("dst/a.ini"), "a.ini");
    EXPECT_EQ(tree.read("dst/keep.txt"), "keep");
    EXPECT_EQ(std::filesystem::last_write_time(tree.path("dst/a.ini").toStdString()), sourceTime);
    EXPECT_EQ(tree.files("dst"), (QStringList{"a.ini", "keep.txt"}));  // no side file left
}

TEST_F(FileOperationsTest, ReplacesAFileWhoseNameTakesTheWholeEntry) {
    // 255 bytes each, the longest name a folder holds.
    for (const QString& name : {QString(255, 'n'), QString(84, u'名') + "abc"}) {
        tree.write("long/" + name, "old");
        ASSERT_TRUE(shell::copyFiles(tree.path("src/a.ini"), tree.path("long/" + name)).ok);
        EXPECT_EQ(tree.read("long/" + name), "a.ini");
        EXPECT_EQ(tree.files("long"), QStringList{name});
        QDir(tree.path("long")).removeRecursively();
    }
}

TEST_F(FileOperationsTest, CopyFailuresNameThePath) {
    const QString missing = tree.path("src/missing.mde");
    shell::FileOpResult result = shell::copyFiles(missing, tree.path("dst"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedPath, missing);
    EXPECT_FALSE(QFileInfo::exists(tree.path("dst")));

    EXPECT_FALSE(shell::copyFiles(tree.path("src/*.xyz"), tree.path("dst")).ok);
    EXPECT_FALSE(shell::copyFiles(tree.path("nofolder/*.*"), tree.path("dst")).ok);

    // A folder in the way of a file.
    QDir().mkpath(tree.path("blocked/a.ini"));
    result = shell::copyFiles(tree.path("src/a.ini"), tree.path("blocked"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedPath, tree.path("blocked/a.ini"));
}

TEST_F(FileOperationsTest, NeverCopiesOntoItself) {
    EXPECT_FALSE(shell::copyFiles(tree.path("src/a.ini"), tree.path("src/a.ini")).ok);
    EXPECT_FALSE(shell::copyFiles(tree.path("src/a.ini"), tree.path("src")).ok);
    EXPECT_EQ(tree.read("src/a.ini"), "a.ini");

    const shell::FileOpResult result =
        shell::copyFiles(tree.path("src/sub"), tree.path("src/sub/deep"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(tree.files("src/sub"), (QStringList{"c.ini", "deep/d.txt"}));
}

TEST_F(FileOperationsTest, CopiesLinksInsideFoldersAsLinks) {
    std::filesystem::create_directory_symlink("..", tree.path("src/sub/up").toStdString());
    ASSERT_TRUE(shell::copyFiles(tree.path("src/sub"), tree.path("dst")).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(tree.path("dst/up").toStdString()));
    EXPECT_EQ(std::filesystem::read_symlink(tree.path("dst/up").toStdString()), "..");
}

TEST_F(FileOperationsTest, ANewFileIsTheUsersAloneAndNeverAnExistingNameOrALink) {
    const auto time = [](const QString& file) {
        return std::filesystem::last_write_time(file.toStdString());
    };
    ASSERT_TRUE(shell::copyToNewFile(tree.path("src/a.ini"), tree.path("new.ini")));
    EXPECT_EQ(tree.read("new.ini"), "a.ini");
    EXPECT_EQ(time(tree.path("new.ini")), time(tree.path("src/a.ini")));
    EXPECT_EQ(QFile::permissions(tree.path("new.ini")),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

    tree.write("taken.ini", "taken");
    ASSERT_TRUE(QFile::link(tree.path("nowhere.ini"), tree.path("dangling.ini")));
    ASSERT_TRUE(QFile::link(tree.path("src/a.ini"), tree.path("link.ini")));
    ASSERT_EQ(::mkfifo(tree.path("pipe").toUtf8().constData(), 0600), 0);
    const struct {
        const char* from;
        const char* to;
    } refused[] = {
        {"src/a.ini", "taken.ini"}, {"src/a.ini", "dangling.ini"}, {"link.ini", "x.ini"},
        {"src/sub", "y.ini"},       {"src/none.ini", "z.ini"},     {"src/a.ini", ""},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        EXPECT_FALSE(shell::copyToNewFile(tree.path(c.from), c.to[0] ? tree.path(c.to) : ""));
    }
    EXPECT_EQ(tree.read("taken.ini"), "taken");
    EXPECT_FALSE(QFileInfo::exists(tree.path("nowhere.ini")));
    for (const char* name : {"x.ini", "y.ini", "z.ini", "p.ini"}) {
        EXPECT_FALSE(QFileInfo::exists(tree.path(name))) << name;
    }
}

TEST_F(FileOperationsTest, DeletesMatchesWithEverythingInThem) {
    ASSERT_TRUE(shell::deleteFiles(tree.path("src/data?.mde")).ok);
    EXPECT_EQ(tree.files("src"), (QStringList{".hidden", "a.ini", "b.txt", "data10.mde", "noext",
                                              "sub/c.ini", "sub/deep/d.txt"}));

    ASSERT_TRUE(shell::deleteFiles(tree.path("src/sub")).ok);
    EXPECT_FALSE(QFileInfo::exists(tree.path("src/sub")));

    ASSERT_TRUE(shell::deleteFiles(tree.path("src/*.*")).ok);
    EXPECT_TRUE(
        QDir(tree.path("src")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    const shell::FileOpResult result = shell::deleteFiles(tree.path("src/*.*"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedPath, tree.path("src/*.*"));
    EXPECT_FALSE(shell::deleteFiles(QString()).ok);
}

TEST_F(FileOperationsTest, DeletingALinkLeavesWhatItPointsTo) {
    std::filesystem::create_directory_symlink(tree.path("src").toStdString(),
                                              tree.path("link").toStdString());
    ASSERT_TRUE(shell::deleteFiles(tree.path("link")).ok);
    EXPECT_FALSE(QFileInfo::exists(tree.path("link")));
    EXPECT_EQ(tree.read("src/sub/c.ini"), "sub/c.ini");
}

TEST_F(FileOperationsTest, DeleteFileTakesFilesOnly) {
    EXPECT_TRUE(shell::deleteFile(tree.path("src/a.ini")));
    EXPECT_FALSE(QFileInfo::exists(tree.path("src/a.ini")));
    EXPECT_FALSE(shell::deleteFile(tree.path("src/a.ini")));
    EXPECT_FALSE(shell::deleteFile(tree.path("src/sub")));
    EXPECT_FALSE(shell::deleteFile(tree.path("src/*.mde")));
    EXPECT_TRUE(QFileInfo::exists(tree.path("src/data1.mde")));
}

TEST_F(FileOperationsTest, ReportsAttributes) {
    tree.write("src/ro.txt", "12345");
    QFile::setPermissions(tree.path("src/ro.txt"), QFile::ReadOwner | QFile::ReadGroup);

    const shell::FileInfo file = shell::fileInfo(tree.path("src/ro.txt"));
    EXPECT_TRUE(file.exists);
    EXPECT_FALSE(file.isFolder);
    EXPECT_TRUE(file.readOnly);
    EXPECT_FALSE(file.hidden);
    EXPECT_EQ(file.size, 5);
    EXPECT_LE(qAbs(file.modified.secsTo(QDateTime::currentDateTime())), 60);

    const shell::FileInfo folder = shell::fileInfo(tree.path("src/sub/"));
    EXPECT_TRUE(folder.exists);
    EXPECT_TRUE(folder.isFolder);
    EXPECT_FALSE(folder.readOnly);
    EXPECT_EQ(folder.size, 0);

    EXPECT_TRUE(shell::fileInfo(tree.path("src/.hidden")).hidden);
    const shell::FileInfo missing = shell::fileInfo(tree.path("src/none"));
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(missing.modified.isValid());
}

TEST_F(FileOperationsTest, FreeSpaceOfTheTemporaryFolder) {
    EXPECT_GT(shell::freeSpace(shell::tempFolder()), 0u);
    EXPECT_GT(shell::freeSpace(tree.path("not/yet/there.bak")), 0u);
}

TEST_F(FileOperationsTest, MakesFolders) {
    EXPECT_FALSE(shell::makeFolder(tree.path("a/b")));
    EXPECT_TRUE(shell::makeFolder(tree.path("a")));
    EXPECT_TRUE(shell::makeFolder(tree.path("a")));
    EXPECT_TRUE(shell::makeFolders(tree.path("x/y/z")));
    EXPECT_TRUE(QFileInfo(tree.path("x/y/z")).isDir());
    EXPECT_FALSE(shell::makeFolder(tree.path("src/a.ini")));
    EXPECT_FALSE(shell::makeFolders(tree.path("src/a.ini/x")));
}

TEST_F(FileOperationsTest, TemporaryFolderFollowsTmpdir) {
    const QByteArray saved = qgetenv("TMPDIR");
    QDir().mkpath(tree.path("tmp"));
    qputenv("TMPDIR", (tree.path("tmp") + "/").toUtf8());
    EXPECT_EQ(shell::tempFolder(), QFileInfo(tree.path("tmp")).canonicalFilePath());
    qputenv("TMPDIR", tree.path("missing").toUtf8());
    EXPECT_EQ(shell::tempFolder(), "/tmp");
    if (saved.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", saved);
    }
}

}  // namespace
