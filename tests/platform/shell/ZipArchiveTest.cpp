#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "TempTree.h"
#include "ZipTestArchives.h"
#include "platform/shell/ZipArchive.h"

namespace {

// Bytes that do not compress, so that a changed byte lands in the compressed data.
QByteArray noise(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

class ZipArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.write("src/morvik2.mde", noise(200000));
        tree.write("src/syouhin.xlsx", QByteArray(50000, 'x'));
        tree.write("src/empty.txt", QByteArray());
        QDir().mkpath(tree.path("out"));
    }

    QStringList sources() const {
        return {tree.path("src/morvik2.mde"), tree.path("src/syouhin.xlsx"),
                tree.path("src/empty.txt")};
    }

    // An archive written through libzip with the entries that build adds.
    QString craft(const QString& name, const std::function<void(zip_t*)>& build) const {
        const QString path = tree.path(name);
        int error = 0;
        zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, &error);
        build(archive);
        EXPECT_EQ(zip_close(archive), 0);
        return path;
    }

    static void addText(zip_t* archive, const char* name, const char* text) {
        zip_source_t* source = zip_source_buffer(archive, text, strlen(text), 0);
        ASSERT_GE(zip_file_add(archive, name, source, 0), 0) << name;
    }

    TempTree tree;
};

TEST_F(ZipArchiveTest, PacksAndUnpacksPlainFilesByteForByte) {
    const QString zip = tree.path("backup.zip");
    ASSERT_TRUE(shell::zipFiles(sources(), zip));
    EXPECT_TRUE(shell::verifyZip(zip));

    const auto entries = shell::zipEntries(zip);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].name, "morvik2.mde");
    EXPECT_EQ((*entries)[0].size, 200000u);
    EXPECT_EQ((*entries)[2].name, "empty.txt");
    for (const shell::ZipEntry& entry : *entries) {
        EXPECT_TRUE(entry.plainFile) << entry.name.toStdString();
    }

    const shell::UnzipResult result = shell::unzipFiles(zip, tree.path("out"));
    EXPECT_EQ(result.status, shell::UnzipStatus::Done);
    EXPECT_EQ(result.size, 250000u);
    EXPECT_EQ(tree.files("out"), QStringList({"empty.txt", "morvik2.mde", "syouhin.xlsx"}));
    for (const char* name : {"morvik2.mde", "syouhin.xlsx", "empty.txt"}) {
        EXPECT_EQ(tree.read(QString("out/") + name), tree.read(QString("src/") + name)) << name;
    }
}

TEST_F(ZipArchiveTest, AnEmptyListWritesTheEmptyArchive) {
    const QString zip = tree.path("empty.zip");
    ASSERT_TRUE(shell::zipFiles({}, zip));
    EXPECT_EQ(tree.read("empty.zip"), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    EXPECT_EQ(shell::zipEntries(zip)->size(), 0u);
    EXPECT_TRUE(shell::unzipFiles(zip, tree.path("out")));
    EXPECT_TRUE(tree.files("out").isEmpty());
}

TEST_F(ZipArchiveTest, RefusesToPackWhatIsNotAPlainSetOfFiles) {
    QDir().mkpath(tree.path("other/syouhin.xlsx.d"));
    tree.write("other/syouhin.xlsx", "another file of the same name");
    tree.write("taken.zip", "an earlier file");
    const struct {
        const char* name;
        QStringList files;
        QString zip;
    } cases[] = {
        {"missing file", {tree.path("src/morvik2.mde"), tree.path("src/nothing.mde")}, "a.zip"},
        {"folder", {tree.path("other/syouhin.xlsx.d")}, "b.zip"},
        {"same name twice",
         {tree.path("src/syouhin.xlsx"), tree.path("other/syouhin.xlsx")},
         "c.zip"},
        {"name taken", sources(), "taken.zip"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(shell::zipFiles(c.files, tree.path(c.zip)));
    }
    EXPECT_FALSE(QFile::exists(tree.path("a.zip")));
    EXPECT_FALSE(QFile::exists(tree.path("b.zip")));
    EXPECT_FALSE(QFile::exists(tree.path("c.zip")));
    EXPECT_EQ(tree.read("taken.zip"), "an earlier file");
}

TEST_F(ZipArchiveTest, RefusesEntriesThatAreNotPlainTopLevelFiles) {
    const struct {
        const char* name;
        std::function<void(zip_t*)> build;
    } cases[] = {
        {"parent folder", [](zip_t* a) { addText(a, "../x.mde", "x"); }},
        {"absolute path", [](zip_t* a) { addText(a, "/tmp/x.mde", "x"); }},
        {"sub-folder", [](zip_t* a) { addText(a, "sub/x.mde", "x"); }},
        {"backslash", [](zip_t* a) { addText(a, "sub\\x.mde", "x"); }},
        {"folder entry", [](zip_t* a) { ASSERT_GE(zip_dir_add(a, "x.mde", 0), 0); }},
        {"link",
         [](zip_t* a) {
             addText(a, "x.mde", "/etc/passwd");
             zip_file_set_external_attributes(a, 0, 0, ZIP_OPSYS_UNIX,
                                              static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
         }},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString zip = craft(QString("unsafe%1.zip").arg(++n), [&](zip_t* archive) {
            addText(archive, "a.mde", "a plain file first");
            c.build(archive);
        });
        EXPECT_EQ(shell::unzipFiles(zip, tree.path("out")).status, shell::UnzipStatus::UnsafeEntry);
        EXPECT_TRUE(tree.files("out").isEmpty());
        EXPECT_FALSE(QFile::exists(tree.path("x.mde")));
    }
}

TEST_F(ZipArchiveTest, RefusesANameGivenTwice) {
    const QString zip = craft("twice.zip", [](zip_t* archive) {
        addText(archive, "a.mde", "first");
        addText(archive, "b.mde", "second");
    });
    QByteArray bytes = tree.read("twice.zip");
    bytes.replace("b.mde", "a.mde");
    tree.write("twice.zip", bytes);
    EXPECT_FALSE(shell::unzipFiles(zip, tree.path("out")));
    EXPECT_TRUE(tree.files("out").isEmpty());
}

TEST_F(ZipArchiveTest, ADamagedArchiveLeavesNothingBehind) {
    const QString zip = tree.path("good.zip");
    ASSERT_TRUE(shell::zipFiles(sources(), zip));
    const QByteArray good = tree.read("good.zip");
    QByteArray changed = good;
    changed[changed.size() / 3] = static_cast<char>(changed[changed.size() / 3] ^ 0x55);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut in half", good.left(good.size() / 2)},
        {"one byte changed", changed},
        {"not an archive", "this is plain text, not an archive at all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tree.write("bad.zip", c.bytes);
        EXPECT_EQ(shell::unzipFiles(tree.path("bad.zip"), tree.path("out")).status,
                  shell::UnzipStatus::Damaged);
        EXPECT_FALSE(shell::verifyZip(tree.path("bad.zip")));
        EXPECT_TRUE(tree.files("out").isEmpty());
    }
}

TEST_F(ZipArchiveTest, RefusesAnArchiveLargerThanTheFreeSpace) {
    const uint64_t declared = uint64_t{1} << 52;  // 4 PiB
    tree.write("huge.zip", archiveDeclaring("morvik2.mde", declared));
    const auto entries = shell::zipEntries(tree.path("huge.zip"));
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ((*entries)[0].size, declared);

    const shell::UnzipResult result = shell::unzipFiles(tree.path("huge.zip"), tree.path("out"));
    EXPECT_EQ(result.status, shell::UnzipStatus::NoSpace);
    EXPECT_EQ(result.size, declared);
    EXPECT_TRUE(tree.files("out").isEmpty());
}

TEST_F(ZipArchiveTest, NeverReplacesOrFollowsWhatTheFolderHolds) {
    const QString zip = tree.path("backup.zip");
    ASSERT_TRUE(shell::zipFiles(sources(), zip));
    tree.write("elsewhere.txt", "outside");
    ASSERT_TRUE(QFile::link(tree.path("elsewhere.txt"), tree.path("out/syouhin.xlsx")));

    EXPECT_EQ(shell::unzipFiles(zip, tree.path("out")).status, shell::UnzipStatus::WriteFailed);
    EXPECT_EQ(tree.read("elsewhere.txt"), "outside");
    EXPECT_FALSE(QFile::exists(tree.path("out/morvik2.mde")));
    EXPECT_TRUE(QFileInfo(tree.path("out/syouhin.xlsx")).isSymLink());
}

}  // namespace
