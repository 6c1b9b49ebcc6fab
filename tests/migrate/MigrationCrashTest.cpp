#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "MigrationFixture.h"
#include "backup/DataFileCheck.h"
#include "migrate/DetaCheckSet.h"
#include "migrate/modConvert.h"
#include "tests/backup/KillAtStep.h"
#include "tests/support/ProgramStart.h"

// The migration is stopped (kill -9) at each of its disk steps in turn; the next start of
// one of the three programs then has to find the new database as it was before the
// migration or wholly migrated.
namespace {

class MigrationCrashTest : public MigrationFixture {
  protected:
    void SetUp() override {
        MigrationFixture::SetUp();
        ASSERT_TRUE(home_.isValid());
        setWidthCode(1);
        runSource(
            {"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , 'A')",
             "INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name , Unit_Price) "
             "VALUES ('001' , '0012' , 'pen' , 80)",
             "INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
             "Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) VALUES (#2024/9/3# , "
             "'001' , '0012' , 3 , 80 , 0 , 2 , 300)",
             "INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Classify_Name , "
             "Trade_Name , Sales_Quantity , Sales_Money) VALUES (#2024/9/1# , '001' , '0012' , "
             "'A' , 'pen' , 2 , 300)"});
        ASSERT_EQ(DetaCheck_Set::CheckSourceData(sourceName(), sourceFolder(),
                                                 TestDatabase::fileName(), database.folder()),
                  0);
        QFile file(database.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        before_ = file.readAll();
    }

    // The data folder of the programs started with home_ as their data home.
    QString dataFolder() const { return home_.path() + "/Kelvarn/Sales/Ver2"; }
    QString targetPath() const { return dataFolder() + "/" + TestDatabase::fileName(); }

    void prepare() const {
        QDir(dataFolder()).removeRecursively();
        QDir(sourceFolder() + "/backup").removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dataFolder()));
        QFile file(targetPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(before_), before_.size());
    }

    // killAtGauge: the gauge move (counted from 1) at which the process kills itself, so
    // that it also stops between the steps in the database; 0 never.
    bool migrate(int killAtGauge = 0) const {
        InstallInfo target;
        target.InstallFolder = dataFolder();
        target.DataFile = TestDatabase::fileName();
        QString backupFolder;
        int moves = 0;
        return modConvert::ConvertData(
            sourceFolder(), sourcePath(), target, targetPath(),
            [&moves, killAtGauge](int16_t) {
                if (++moves == killAtGauge) {
                    ::kill(::getpid(), SIGKILL);
                }
            },
            backupFolder);
    }

    QStringList runFolders() const {
        return QDir(dataFolder()).entryList({".work-*"}, QDir::Dirs | QDir::Hidden);
    }

    // Starts the program on the data folder and ends it once no work folder is left.
    void start(const ProgramStart::Program& program) const {
        ASSERT_TRUE(ProgramStart::RunUntil(program, home_.path(),
                                           [this] { return runFolders().isEmpty(); }));
    }

    QStringList rows(const QString& sql) const { return rowsOf(targetPath(), sql); }

    // True when the folder holds the whole migrated database, false when the one from
    // before; anything else fails the test.
    bool check() const {
        EXPECT_EQ(runFolders(), QStringList());
        EXPECT_GT(DataFileCheck::BasicRows(dataFolder(), TestDatabase::fileName(),
                                           TestDatabase::password()),
                  0);
        const QStringList products = rows("SELECT Classify_No , Trade_No FROM TradeMast_tbl");
        if (products.isEmpty()) {
            for (const char* table : {"ClassifyMast_tbl", "Management_Tbl", "FixDeta_tbl"}) {
                EXPECT_EQ(rows(QString("SELECT * FROM ") + table), QStringList()) << table;
            }
            return false;
        }
        EXPECT_EQ(products, QStringList({"001|00012"}));
        EXPECT_EQ(rows("SELECT Classify_No , Classify_Name FROM ClassifyMast_tbl"),
                  QStringList({"001|A"}));
        EXPECT_EQ(rows("SELECT Trade_No , Cost_Money FROM Management_Tbl"),
                  QStringList({"00012|240"}));
        EXPECT_EQ(rows("SELECT Trade_No , Unit_Price , Cost_Money , ClasRankMo FROM FixDeta_tbl"),
                  QStringList({"00012|80|240|1"}));
        return true;
    }

    QTemporaryDir home_;
    QByteArray before_;
};

TEST_F(MigrationCrashTest, EachProgramStartFindsTheDataFromBeforeOrTheWholeMigratedData) {
    int oldSeen = 0;
    int newSeen = 0;
    size_t starts = 0;
    std::vector<int> recorded;
    // Stopped at each disk step, then at each move of the gauge.
    const auto stopAndStart = [&](const std::string& where, const std::function<bool()>& run,
                                  int step) {
        SCOPED_TRACE(where);
        prepare();
        const ChildEnd end = runKilledAt(step, run);
        for (const QString& folder : runFolders()) {
            if (step > 0 && QFile::exists(dataFolder() + "/" + folder + "/replace")) {
                recorded.push_back(step);
            }
        }
        const ProgramStart::Program& program =
            ProgramStart::Programs()[starts++ % ProgramStart::Programs().size()];
        SCOPED_TRACE(program.path.toStdString());
        start(program);
        (check() ? newSeen : oldSeen) += 1;
        return end;
    };
    for (int step = 1;; ++step) {
        const ChildEnd end = stopAndStart(
            "stopped at disk step " + std::to_string(step), [this] { return migrate(); }, step);
        if (end != ChildEnd::Killed) {
            EXPECT_EQ(end, ChildEnd::Succeeded);
            break;
        }
        if (HasFailure() || step > 1000) {
            ADD_FAILURE() << "stopped";
            return;
        }
    }
    for (int move = 1;; ++move) {
        const ChildEnd end = stopAndStart(
            "stopped at gauge move " + std::to_string(move), [this, move] { return migrate(move); },
            0);
        if (end != ChildEnd::Killed || HasFailure()) {
            EXPECT_EQ(end, ChildEnd::Succeeded);
            break;
        }
    }
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);

    // A second run after a stop with the replacement recorded settles that first and
    // then migrates again.
    ASSERT_FALSE(recorded.empty());
    prepare();
    runKilledAt(recorded.front(), [this] { return migrate(); });
    EXPECT_TRUE(migrate());
    EXPECT_TRUE(check());
}

}  // namespace
