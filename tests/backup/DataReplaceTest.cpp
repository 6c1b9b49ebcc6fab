#include <unistd.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "BackupFixture.h"
#include "backup/DataReplace.h"

namespace {

const vb::Date kTime = vb::Date::fromYmdHms(2024, 3, 5, 9, 15, 2);
constexpr qint64 kSparseSize = qint64{8} << 40;  // 8 TiB, more than any test disk holds

class DataReplaceTest : public BackupFixture {
  protected:
    QString incoming(const QString& name) const { return path("incoming/" + name); }

    // A database larger than the shipped one, whose copy a size limit of 20,000 bytes
    // stops while the shipped one still fits.
    void makeLargeDatabase(const QString& file) const {
        QStringList rows;
        for (int i = 0; i < 30; ++i) {
            rows << QString(
                        "INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) "
                        "VALUES ('%1', '%2')")
                        .arg(i, 3, 10, QChar('0'))
                        .arg(QString(2000, QChar('x')));
        }
        makeDatabase(file, rows);
    }
};

TEST_F(DataReplaceTest, ReplacesTheFilesAndKeepsTheReplacedOnesAsABackup) {
    makeChangedDatabase(incoming("morvik2.mde"));
    write(incoming("syouhin.xlsx"), "new layout");
    write(databasePath() + "-journal", "journal of the old database");
    write(databasePath() + "-wal", "log of the old database");
    const QByteArray oldDatabase = read(databasePath());

    const ReplaceResult result = DataReplace(dataFolder(), "morvik2.mde")
                                     .run({{incoming("morvik2.mde"), "morvik2.mde"},
                                           {incoming("syouhin.xlsx"), "syouhin.xlsx"}},
                                          kTime);

    ASSERT_EQ(result.outcome, ReplaceResult::Replaced);
    EXPECT_EQ(read(databasePath()), read(incoming("morvik2.mde")));
    EXPECT_EQ(read(dataFolder() + "/syouhin.xlsx"), "new layout");
    EXPECT_EQ(result.safetyBackup, "20240305091502-auto");
    const std::map<QString, QByteArray> kept{{"morvik2.mde", oldDatabase},
                                             {"syouhin.xlsx", "layout syouhin.xlsx"}};
    EXPECT_EQ(snapshot(dataFolder() + "/backup/20240305091502-auto"), kept);
    for (const auto& [name, bytes] : snapshot(dataFolder())) {
        EXPECT_FALSE(name.contains("-journal") || name.contains("-wal") || name.startsWith('.') ||
                     name.contains("/."))
            << name.toStdString();
    }
}

TEST_F(DataReplaceTest, AFailureLeavesTheDataFolderAsItWas) {
    makeLargeDatabase(incoming("morvik2.mde"));
    write(incoming("syouhin.xlsx"), "new layout");
    write(databasePath() + "-journal", "journal of the old database");
    QDir().mkpath(dataFolder() + "/extra");
    write(incoming("extra"), "a file where the data folder has a folder");
    const std::vector<IncomingFile> both{{incoming("morvik2.mde"), "morvik2.mde"},
                                         {incoming("syouhin.xlsx"), "syouhin.xlsx"}};
    const QString locked = dataFolder() + "/syouhin.xlsx";
    const struct {
        const char* name;
        std::vector<IncomingFile> files;
        std::function<bool()> inject;  // false: the injection is not possible here
        std::function<void()> undo;
        rlim_t sizeLimit = RLIM_INFINITY;
    } cases[] = {
        {"full disk while copying", both, [] { return true; }, [] {}, 20000},
        // Root renames anything, except a file marked immutable.
        {"a file that cannot be moved aside", both,
         [&] { return geteuid() == 0 && makeUnwritable(locked); }, [&] { makeWritable(locked); }},
        {"a folder in a file's place", {{incoming("extra"), "extra"}}, [] { return true; }, [] {}},
        {"an engine side file",
         {{incoming("syouhin.xlsx"), "morvik2.mde-journal"}},
         [] { return true; },
         [] {}},
        {"a folder part",
         {{incoming("syouhin.xlsx"), "../syouhin.xlsx"}},
         [] { return true; },
         [] {}},
        {"a name twice",
         {{incoming("syouhin.xlsx"), "syouhin.xlsx"}, {incoming("morvik2.mde"), "syouhin.xlsx"}},
         [] { return true; },
         [] {}},
        {"a missing source", {{incoming("none.mde"), "morvik2.mde"}}, [] { return true; }, [] {}},
        {"nothing", {}, [] { return true; }, [] {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.inject()) {
            continue;
        }
        const auto before = snapshot(dataFolder());
        ReplaceResult result;
        {
            const FileSizeLimit limit(c.sizeLimit);
            result = DataReplace(dataFolder(), "morvik2.mde").run(c.files, kTime);
        }
        c.undo();
        EXPECT_EQ(result.outcome, ReplaceResult::Failed);
        EXPECT_EQ(result.safetyBackup, "");
        EXPECT_EQ(snapshot(dataFolder()), before);
    }
}

TEST_F(DataReplaceTest, RefusesWhatDoesNotFitIntoTheFreeSpace) {
    QFile big(incoming("zaiko.xlsx"));
    QDir().mkpath(path("incoming"));
    if (!big.open(QIODevice::WriteOnly) || !big.resize(kSparseSize)) {
        GTEST_SKIP() << "no sparse files here";
    }
    big.close();
    const auto before = snapshot(dataFolder());
    const ReplaceResult result = DataReplace(dataFolder(), "morvik2.mde")
                                     .run({{incoming("zaiko.xlsx"), "zaiko.xlsx"}}, kTime);
    QFile::remove(incoming("zaiko.xlsx"));
    EXPECT_EQ(result.outcome, ReplaceResult::NoSpace);
    EXPECT_EQ(result.required, static_cast<uint64_t>(kSparseSize) + 17);  // + the current file
    EXPECT_EQ(snapshot(dataFolder()), before);
}

TEST_F(DataReplaceTest, KeepsOneAutomaticCopyAndNoneOfAFolderWithoutItsDatabase) {
    write(incoming("syouhin.xlsx"), "new layout");
    const std::vector<IncomingFile> book{{incoming("syouhin.xlsx"), "syouhin.xlsx"}};
    const DataReplace replace(dataFolder(), "morvik2.mde");
    ASSERT_EQ(replace.run(book, kTime).safetyBackup, "20240305091502-auto");
    write(dataFolder() + "/syouhin.xlsx", "edited");
    const vb::Date later = vb::Date::fromYmdHms(2024, 3, 6, 8, 0, 0);
    ASSERT_EQ(replace.run(book, later).safetyBackup, "20240306080000-auto");
    EXPECT_EQ(snapshot(dataFolder() + "/backup"),
              (std::map<QString, QByteArray>{{"20240306080000-auto/", {}},
                                             {"20240306080000-auto/syouhin.xlsx", "edited"}}));

    QFile::remove(databasePath());
    const ReplaceResult result = replace.run(book, vb::Date::fromYmdHms(2024, 3, 7, 8, 0, 0));
    EXPECT_EQ(result.outcome, ReplaceResult::Replaced);
    EXPECT_EQ(result.safetyBackup, "");
    EXPECT_EQ(QDir(dataFolder() + "/backup").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"20240306080000-auto"});
}

TEST_F(DataReplaceTest, FillsAnEmptyOrMissingDataFolder) {
    makeChangedDatabase(incoming("morvik2.mde"));
    QDir(dataFolder()).removeRecursively();
    const ReplaceResult result = DataReplace(dataFolder(), "morvik2.mde")
                                     .run({{incoming("morvik2.mde"), "morvik2.mde"}}, kTime);
    ASSERT_EQ(result.outcome, ReplaceResult::Replaced);
    EXPECT_EQ(result.safetyBackup, "");
    EXPECT_EQ(snapshot(dataFolder()),
              (std::map<QString, QByteArray>{{"morvik2.mde", read(incoming("morvik2.mde"))}}));
}

}  // namespace
