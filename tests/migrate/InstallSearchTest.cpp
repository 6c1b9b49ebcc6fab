#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "migrate/DetaCheckSet.h"
#include "migrate/InstallList.h"
#include "migrate/InstallProbe.h"
#include "migrate/VersionFunctions.h"
#include "tests/support/TestDatabase.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class InstallSearchTest : public ::testing::Test {
  protected:
    void SetUp() override { qputenv("PROGRAMFILES", root_.path().toLocal8Bit()); }
    void TearDown() override { qunsetenv("PROGRAMFILES"); }

    // An installation folder under the standard folder, its database written at the time.
    QString install(const QString& name, const QByteArray& version, const QDateTime& written,
                    const QStringList& databases = {"morvik.mdb"}) const {
        const QString folder = root_.path() + "/Kelvarn/" + name;
        QDir().mkpath(folder);
        writeFile(folder + "/morvik.exe", "program");
        if (!version.isEmpty()) {
            writeFile(folder + "/version.ini",
                      "[Version]\r\nProductName=モルビク\r\nProductVersion=" + version + "\r\n");
        }
        for (const QString& database : databases) {
            writeFile(folder + "/" + database, "data");
            QFile file(folder + "/" + database);
            file.open(QIODevice::ReadWrite);
            file.setFileTime(written, QFileDevice::FileModificationTime);
        }
        return folder;
    }

    QTemporaryDir root_;
};

TEST_F(InstallSearchTest, OnlyInstallationsOfMajorVersionOneAreListedNewestFirst) {
    const QDateTime older(QDate(2024, 5, 1), QTime(9, 30, 15));
    const QDateTime newer(QDate(2024, 8, 2), QTime(18, 5, 0));
    install("Sales", "1.3.0", older, {"morvik.mde", "morvik.mdb"});
    install("Sales1", "1.0.2", newer);
    install("Sales2", "2.0.4", newer);
    install("Sales3", "1.3", newer);
    install("Sales4", "", newer);
    install("Other", "1.0.0", newer);

    InstallList list;
    list.SearchStandardFolders();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Row(0).InstallFolder, root_.path() + "/Kelvarn/Sales1");
    EXPECT_EQ(list.Row(0).ProductVersion, "1.0.2");
    EXPECT_EQ(list.Row(0).LastUpdate, vb::Date::fromYmdHms(2024, 8, 2, 18, 5, 0));
    EXPECT_EQ(list.Row(1).DataFile, "morvik.mdb");
    EXPECT_EQ(list.Row(1).AppFile, "morvik.exe");
    EXPECT_EQ(list.Row(1).ProductName, "モルビク");

    // a folder chosen by the user takes its place by date, and only once
    const QString chosen = install("../Mine", "1.1.0", QDateTime(QDate(2024, 6, 1), QTime()));
    EXPECT_TRUE(list.AddInstallation(chosen));
    EXPECT_TRUE(list.AddInstallation(chosen));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Row(1).ProductVersion, "1.1.0");
    EXPECT_FALSE(list.AddInstallation(root_.path() + "/Kelvarn/Sales2"));
    EXPECT_FALSE(list.AddInstallation(root_.path()));
}

TEST_F(InstallSearchTest, NoStandardFolderGivesAnEmptyList) {
    InstallList list;
    list.SearchStandardFolders();
    EXPECT_EQ(list.Count(), 0);
}

TEST(VersionFunctions, SplitVersionAndEnvironment) {
    std::array<int, 3> parts{};
    EXPECT_TRUE(XX共通関数2::SplitVersion("1.3.0.7", parts));
    EXPECT_EQ(parts, (std::array<int, 3>{1, 3, 0}));
    for (const char* bad : {"1.3", "1.x.0", "", "..."}) {
        EXPECT_FALSE(XX共通関数2::SplitVersion(bad, parts)) << bad;
    }
    qunsetenv("PROGRAMFILES");
    qputenv("MIGRATE_TEST_VALUE", "abc");
    EXPECT_EQ(XX共通関数2::ExpandEnvironment("%programfiles%/K/%MIGRATE_TEST_VALUE%/%NONE_SET%"),
              "/opt/K/abc/%NONE_SET%");
}

TEST(NewInstallation, IsTheDatabaseOfTheDataFolder) {
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    InstallInfo info;
    EXPECT_FALSE(modConvert::ProbeOwnFolder(info));
    ASSERT_TRUE(QDir().mkpath(home.path() + "/Kelvarn/Sales/Ver2"));
    ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(),
                            home.path() + "/Kelvarn/Sales/Ver2/morvik2.mde"));
    EXPECT_TRUE(modConvert::ProbeOwnFolder(info));
    EXPECT_EQ(info.InstallFolder, home.path() + "/Kelvarn/Sales/Ver2");
    EXPECT_EQ(info.DataFile, "morvik2.mde");

    DetaCheck_Set::DBPassword = TestDatabase::password();
    EXPECT_EQ(modConvert::SourcePasswordFor(home.path() + "/Kelvarn/Sales/Ver2/morvik2.mde"),
              TestDatabase::password());
    EXPECT_EQ(modConvert::SourcePasswordFor(TestDatabase::stageFolder() + "/morvik2.mdb"), "");
    if (saved.isEmpty()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", saved);
    }
}

}  // namespace
