#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>

#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"
#include "tests/support/TestDatabase.h"

namespace {

constexpr uid_t kNobody = 65534;

QString connectionText(const QString& path, const QString& password) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
           ";Jet OLEDB:Database Password=" + password + ";";
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every folder and file under the folder, by relative path, with the bytes of the files.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        found.insert(QDir(folder).relativeFilePath(path),
                     it.fileInfo().isDir() || !file.open(QIODevice::ReadOnly) ? QByteArray("dir")
                                                                              : file.readAll());
    }
    return found;
}

// Sets the mode of the folder, of every folder and of every file below it.
void setModes(const QString& folder, mode_t folders, mode_t files) {
    namespace fs = std::filesystem;
    const fs::path root = folder.toStdString();
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        ::chmod(entry.path().c_str(), entry.is_directory() ? folders : files);
    }
    ::chmod(root.c_str(), folders);
}

void giveToNobody(const QString& folder) {
    namespace fs = std::filesystem;
    const fs::path root = folder.toStdString();
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        ASSERT_EQ(::chown(entry.path().c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chown(root.c_str(), kNobody, kNobody), 0);
}

// An earlier installation under /opt belongs to root: an ordinary user can only read it.
// The wizard, run as such a user (as nobody when the tests run as root), migrates it,
// backs it up beside the new database and leaves every file of it as it was.
TEST(ReadOnlyInstallationTest, IsMigratedByAnOrdinaryUserAndStaysAsItWas) {
    const bool asRoot = geteuid() == 0;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ::chmod(root.path().toLocal8Bit().constData(), 0755);

    const QString programs = root.path() + "/programs";
    const QString earlier = programs + "/Kelvarn/Sales1";
    ASSERT_TRUE(QDir().mkpath(earlier));
    writeFile(earlier + "/morvik.exe", "program");
    writeFile(earlier + "/version.ini",
              "[Version]\r\nProductName=モルビク\r\nProductVersion=1.0.1\r\n");
    writeFile(earlier + "/backup.ini", "[BackupFile]\r\nFile1=morvik.mdb\r\n");
    const QString earlierDatabase = earlier + "/morvik.mdb";
    ASSERT_TRUE(QFile::copy(TestDatabase::stageFolder() + "/morvik2.mdb", earlierDatabase));
    QFile(earlierDatabase).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    {
        jet::Connection connection;
        ASSERT_FALSE(connection.open(connectionText(earlierDatabase, QString())));
        for (const char* sql :
             {"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , 'A')",
              "INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name , Unit_Price) "
              "VALUES ('001' , '0012' , 'pen' , 80)",
              "INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
              "Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) VALUES (#2024/9/3# , "
              "'001' , '0012' , 3 , 80 , 0 , 2 , 300)"}) {
            ASSERT_FALSE(connection.execute(sql)) << sql;
        }
    }
    setModes(programs, asRoot ? 0755 : 0555, asRoot ? 0644 : 0444);
    ::chmod((earlier + "/morvik.exe").toLocal8Bit().constData(), asRoot ? 0755 : 0555);
    const QMap<QString, QByteArray> before = snapshot(earlier);

    const QString data = root.path() + "/data";
    const QString newFolder = data + "/Kelvarn/Sales/Ver2";
    ASSERT_TRUE(QDir().mkpath(newFolder));
    ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), newFolder + "/morvik2.mde"));
    QFile(newFolder + "/morvik2.mde").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const QString runtime = root.path() + "/runtime";
    ASSERT_TRUE(QDir().mkpath(runtime));
    ::chmod(runtime.toLocal8Bit().constData(), 0700);
    // The wizard is copied out of the build folder, which the other user may not reach.
    const QString wizard = root.path() + "/migrate_as_user";
    ASSERT_TRUE(QFile::copy(MIGRATE_AS_USER, wizard));
    ::chmod(wizard.toLocal8Bit().constData(), 0755);
    if (asRoot) {
        giveToNobody(data);
        giveToNobody(runtime);
    }

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", data);
    environment.insert("PROGRAMFILES", programs);
    environment.insert("HOME", data);
    environment.insert("XDG_RUNTIME_DIR", runtime);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    run.setProcessEnvironment(environment);
    if (asRoot) {
        run.start("setpriv", {"--reuid=" + QString::number(kNobody),
                              "--regid=" + QString::number(kNobody), "--clear-groups", wizard});
    } else {
        run.start(wizard, {});
    }
    ASSERT_TRUE(run.waitForFinished(120000));
    const QString spare = QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed();
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    EXPECT_TRUE(spare.startsWith(newFolder + "/migration-backup/")) << spare.toStdString();
    QFile backup(spare + "/morvik.mdb");
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), before.value("morvik.mdb"));
    EXPECT_EQ(snapshot(earlier), before);

    jet::Connection connection;
    ASSERT_FALSE(
        connection.open(connectionText(newFolder + "/morvik2.mde", TestDatabase::password())));
    jet::Recordset rows;
    ASSERT_FALSE(rows.open("SELECT Trade_No , Cost_Money FROM Management_Tbl", connection));
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.value(0).toString(), "0012");
    EXPECT_EQ(rows.value(1).toString(), "240");
    setModes(programs, 0755, 0644);
}

}  // namespace
