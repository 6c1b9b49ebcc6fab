#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "ScreenFixture.h"
#include "backup/BackupModule.h"
#include "backup/XXBackupFunctions.h"
#include "core/XXCommonFunctions.h"
#include "platform/shell/SpecialFolders.h"
#include "platform/shell/ZipArchive.h"
#include "tests/platform/shell/ZipTestArchives.h"

namespace {

class BackupFileTest : public ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        QDir().mkpath(path("out"));
    }

    QStringList listedFiles() const {
        QStringList files{databasePath()};
        for (const QString& book : kWorkbooks) {
            files << dataFolder() + "/" + book;
        }
        return files;
    }

    void exportTo(const QString& answer) const {
        forms::TestHook::queueDialogAnswer(answer);
        screen->Export_File->click();
    }

    void importFrom(const QString& file) const {
        screen->OperationOption[1]->setChecked(true);
        forms::TestHook::queueDialogAnswer(file);
        screen->Import_File->click();
    }

    // An archive made with libzip of the given entries.
    static void writeArchive(const QString& path,
                             const std::vector<std::pair<QString, QByteArray>>& entries) {
        int error = 0;
        zip_t* archive =
            zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        ASSERT_NE(archive, nullptr);
        std::vector<QByteArray> kept;
        for (const auto& [name, bytes] : entries) {
            kept.push_back(bytes);
            zip_source_t* source = zip_source_buffer(
                archive, kept.back().constData(), static_cast<zip_uint64_t>(kept.back().size()), 0);
            ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, 0), 0);
        }
        ASSERT_EQ(zip_close(archive), 0);
    }

    bool tempFolderIsEmpty() const {
        return QDir(path("tmp"))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
            .isEmpty();
    }
};

TEST_F(BackupFileTest, ExportsAndImportsAnArchiveRoundTrip) {
    exportTo(path("out/backup"));
    ASSERT_EQ(boxTexts(), QStringList{"バックアップを完了しました。"});
    EXPECT_EQ(lastBox().style, 64);
    EXPECT_EQ(lastBox().title, "データのバックアップ");
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    const forms::TestHook::DialogShown save = forms::TestHook::dialogs()[0];
    EXPECT_EQ(save.kind, "save");
    EXPECT_EQ(save.title, "バックアップファイルの保存");
    EXPECT_EQ(save.initialFolder, XX共通関数::GetSpecialFolderPath(shell::csidlDesktop));
    EXPECT_EQ(save.fileName, "モルビク(2024年03月05日 09時15分)");
    EXPECT_TRUE(save.filter.contains("バックアップファイル (*.bak)"));
    EXPECT_TRUE(save.filter.contains("バックアップファイル Ver2以前 (*.mde)"));
    EXPECT_TRUE(screen->isEnabled());
    EXPECT_EQ(screen->MousePointer(), forms::vbDefault);

    const QString archive = path("out/backup.bak");
    const auto entries = shell::zipEntries(archive);
    ASSERT_TRUE(entries.has_value());
    QStringList names;
    for (const shell::ZipEntry& entry : *entries) {
        names << entry.name;
    }
    EXPECT_EQ(names, QStringList({"morvik2.mde"}) + kWorkbooks);
    EXPECT_TRUE(tempFolderIsEmpty());

    const auto exported = dataFiles();
    makeChangedDatabase(databasePath());
    write(dataFolder() + "/zaiko.xlsx", "edited since");
    forms::TestHook::enable();
    importFrom(archive);
    ASSERT_EQ(boxTexts(), QStringList{"復元を完了しました。"});
    EXPECT_EQ(lastBox().style, 64);
    EXPECT_EQ(lastBox().title, "データの復元");
    EXPECT_EQ(forms::TestHook::dialogs()[0].kind, "open");
    EXPECT_EQ(forms::TestHook::dialogs()[0].title, "バックアップファイルの読み込み");
    // Only the database comes back from a backup file.
    EXPECT_EQ(read(databasePath()), exported.at("morvik2.mde"));
    EXPECT_EQ(read(dataFolder() + "/zaiko.xlsx"), "edited since");
    EXPECT_TRUE(tempFolderIsEmpty());
}

TEST_F(BackupFileTest, ExportsAndImportsAPlainCopyOfTheDatabase) {
    const QByteArray database = read(databasePath());
    EXPECT_TRUE(BackupModule::WriteBackupFile(listedFiles(), path("out/copy.MdE")));
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(read(path("out/copy.MdE")), database);
    EXPECT_TRUE(tempFolderIsEmpty());

    makeChangedDatabase(databasePath());
    importFrom(path("out/copy.MdE"));
    ASSERT_EQ(boxTexts(), QStringList{"復元を完了しました。"});
    EXPECT_EQ(read(databasePath()), database);
    EXPECT_TRUE(tempFolderIsEmpty());
}

TEST_F(BackupFileTest, NamesAreTakenAsTheyAreWhicheverCharactersTheyHold) {
    const QByteArray database = read(databasePath());
    const struct {
        QString typed;
        QString written;
        bool plain;
    } cases[] = {
        {"a*b?", "a*b?.bak", false},
        {"a*b?.MdE", "a*b?.MdE", true},
        {"typed.MdE", "typed.MdE", true},
        {"家の バックアップ [1]", "家の バックアップ [1].bak", false},
        {"データ;コピー.mde", "データ;コピー.mde", true},
        {"-line\nbreak", "-line\nbreak.bak", false},
        // 255 bytes, the longest name a folder holds.
        {"-" + QString(250, 'x'), "-" + QString(250, 'x') + ".bak", false},
        {QString(83, u'あ') + "bc", QString(83, u'あ') + "bc.bak", false},
        {QString(83, u'あ') + "ab.mde", QString(83, u'あ') + "ab.mde", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QDir(path("out")).removeRecursively();
        // What the name would match as a pattern.
        write(path("out/aXbY.bak"), "not this one");
        write(path("out/aXbY.MdE"), "not this one");
        forms::TestHook::enable();
        exportTo(path("out/" + c.typed));
        ASSERT_EQ(boxTexts(), QStringList{"バックアップを完了しました。"});
        EXPECT_EQ(read(path("out/aXbY.bak")), "not this one");
        const QByteArray written = read(path("out/" + c.written));
        EXPECT_EQ(written == database, c.plain);
        EXPECT_EQ(shell::zipEntries(path("out/" + c.written)).has_value(), !c.plain);

        makeChangedDatabase(databasePath());
        forms::TestHook::enable();
        importFrom(path("out/" + c.written));
        EXPECT_EQ(boxTexts(), QStringList{"復元を完了しました。"});
        EXPECT_EQ(read(databasePath()), database);
        EXPECT_TRUE(tempFolderIsEmpty());
    }
}

TEST_F(BackupFileTest, AFailedImportLeavesTheDataFolderAsItWas) {
    const QString good = path("good.zip");
    ASSERT_TRUE(shell::zipFiles(listedFiles(), good));
    const QByteArray archive = read(good);
    QByteArray changed = archive;
    changed[2000] = static_cast<char>(changed[2000] ^ 0x55);
    makeDatabase(path("other.mde"), {}, "OTHERPASS01");
    const QByteArray database = read(databasePath());
    const QString unpackFailed = "バックアップファイルの解凍に失敗しました。";
    const QString notOurs = "指定のデータファイルは、システム規定のデータファイルではありません。";
    const struct {
        const char* name;
        QString file;
        std::function<void(const QString&)> make;
        QString text;
        int style;
        QString title;
    } cases[] = {
        {"cut short", "cut.bak",
         [&](const QString& f) { write(f, archive.left(archive.size() / 2)); }, unpackFailed, 48,
         "モルビク"},
        {"a byte changed", "changed.bak", [&](const QString& f) { write(f, changed); },
         unpackFailed, 48, "モルビク"},
        {"an entry ../x.mde", "parent.bak",
         [&](const QString& f) {
             writeArchive(f, {{"../x.mde", database}});
         },
         unpackFailed, 48, "モルビク"},
        {"a random file named .mde", "random.mde",
         [](const QString& f) { write(f, "not a database, only some text"); }, notOurs, 16,
         "データの復元"},
        {"another password", "other.mde", [](const QString&) {}, notOurs, 16, "データの復元"},
        {"another password in an archive", "other.bak",
         [&](const QString& f) {
             writeArchive(f, {{"morvik2.mde", read(path("other.mde"))}});
         },
         notOurs, 16, "データの復元"},
        {"an empty archive", "nothing.bak",
         [](const QString& f) { write(f, shell::emptyZipArchive()); }, "復元に失敗しました。", 48,
         "データの復元"},
        {"no database in the archive", "books.bak",
         [](const QString& f) {
             writeArchive(f, {{"syouhin.xlsx", "layout"}});
         },
         "復元に失敗しました。", 48, "データの復元"},
        {"larger than the free space", "huge.bak",
         [](const QString& f) { write(f, archiveDeclaring("morvik2.mde", uint64_t{1} << 52)); },
         "空き容量が不足しています。\r\n復元には 4,503,599,627,370 KB 必要です。", 48, "モルビク"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.make(path(c.file));
        const auto before = snapshot(dataFolder());
        forms::TestHook::enable();
        importFrom(path(c.file));
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u) << boxTexts().join('|').toStdString();
        EXPECT_EQ(lastBox().text, c.text);
        EXPECT_EQ(lastBox().style, c.style);
        EXPECT_EQ(lastBox().title, c.title);
        EXPECT_EQ(snapshot(dataFolder()), before);
        EXPECT_TRUE(tempFolderIsEmpty());
    }
}

TEST_F(BackupFileTest, AFullDiskOrACancelledDialogChangesNothing) {
    const auto before = snapshot(dataFolder());
    importFrom("");
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());

    makeChangedDatabase(path("changed.mde"));
    {
        const FileSizeLimit limit(1000);
        importFrom(path("changed.mde"));
    }
    EXPECT_EQ(boxTexts(), QStringList{"バックアップファイルの復元に失敗しました。"});
    EXPECT_EQ(snapshot(dataFolder()), before);
    EXPECT_TRUE(tempFolderIsEmpty());
}

TEST_F(BackupFileTest, AFailedExportKeepsTheEarlierBackupFile) {
    write(path("out/keep.bak"), "an earlier backup");
    write(path("out/keep.mde"), "an earlier copy");
    const struct {
        const char* name;
        QString target;
        QStringList files;
        rlim_t sizeLimit;
        bool unwritable;
        QString text;
    } cases[] = {
        {"full disk", "keep.bak", listedFiles(), 200, false,
         "バックアップファイルの圧縮に失敗しました。"},
        {"full disk, plain copy", "keep.mde", listedFiles(), 200, false,
         "バックアップファイルの一時保存に失敗しました。"},
        {"a listed file missing", "keep.bak", listedFiles() << dataFolder() + "/none.xlsx",
         RLIM_INFINITY, false, "バックアップファイルの圧縮に失敗しました。"},
        {"a folder that cannot be written", "keep.bak", listedFiles(), RLIM_INFINITY, true,
         "バックアップファイルの保存に失敗しました。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.unwritable && !makeUnwritable(path("out"))) {
            continue;
        }
        forms::TestHook::enable();
        const auto before = snapshot(path("out"));
        bool written = true;
        {
            const FileSizeLimit limit(c.sizeLimit);
            written = BackupModule::WriteBackupFile(c.files, path("out/" + c.target));
        }
        if (c.unwritable) {
            makeWritable(path("out"));
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(boxTexts(), QStringList{c.text});
        EXPECT_EQ(lastBox().style, 48);
        EXPECT_EQ(lastBox().title, "モルビク");
        EXPECT_EQ(snapshot(path("out")), before);
        EXPECT_TRUE(tempFolderIsEmpty());
    }
}

TEST_F(BackupFileTest, RefusesAnExportLargerThanTheFreeSpace) {
    if (XX共通関数::GetDiskFreeSpace("/proc/") != 0) {
        GTEST_SKIP() << "/proc shows free space here";
    }
    const qint64 size = QFileInfo(databasePath()).size();
    ASSERT_LT(size, 1000000);
    EXPECT_FALSE(BackupModule::WriteBackupFile(listedFiles(), "/proc/morvik2-backup.mde"));
    EXPECT_EQ(boxTexts(), QStringList{"空き容量が不足しています。\r\nバックアップには " +
                                      QString::number(size / 1000) + " KB 必要です。"});
    EXPECT_TRUE(tempFolderIsEmpty());
}

}  // namespace
