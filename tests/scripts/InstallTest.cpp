#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"
#include "tests/support/TestDatabase.h"

namespace {

constexpr int kTimeoutMs = 20000;
const QStringList kBooks = {"syouhin.xlsx", "bunrui.xlsx",    "Nyuryoku.xlsx", "Maintenance.xlsx",
                            "zaiko.xlsx",   "zaikolist.xlsx", "uriage.xlsx"};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString connectionText(const QString& database) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database +
           ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";";
}

// A user of their own: home, data home and runtime folder in a temporary folder.
class InstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir().mkpath(home()));
        ASSERT_TRUE(QDir().mkpath(runtime()));
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString home() const { return root_.filePath("home"); }
    QString runtime() const { return root_.filePath("runtime"); }
    QString dataHome() const { return root_.filePath("data"); }
    QString programs() const { return root_.filePath("programs"); }
    QString dataFolder() const { return dataHome() + "/Kelvarn/Sales/Ver2"; }

    QProcessEnvironment environment(bool withDataHome) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home());
        environment.insert("XDG_RUNTIME_DIR", runtime());
        environment.insert("MORVIK_STAGE_DIR", MORVIK_BUILD_STAGE_DIR);
        environment.remove("PREFIX");
        if (withDataHome) {
            environment.insert("XDG_DATA_HOME", dataHome());
        } else {
            environment.remove("XDG_DATA_HOME");
        }
        return environment;
    }

    // Runs the installation; true when it succeeded.
    bool install(const QStringList& arguments, bool withDataHome = true) const {
        QProcess process;
        process.setProcessEnvironment(environment(withDataHome));
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(MORVIK_INSTALL_SCRIPT, arguments);
        return process.waitForFinished(kTimeoutMs) &&
               process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QTemporaryDir root_;
};

TEST_F(InstallTest, WithoutAProgramFolderItInstallsUnderTheHomeFolder) {
    ASSERT_TRUE(install({}, false));
    const QString programs = home() + "/.local/lib/morvik2";
    EXPECT_TRUE(QFileInfo(programs + "/morvik2").isExecutable());
    EXPECT_TRUE(QFileInfo::exists(home() + "/.local/share/Kelvarn/Sales/Ver2/morvik2.mde"));
}

TEST_F(InstallTest, ASecondRunUpdatesTheProgramsAndKeepsTheData) {
    const QString stage = MORVIK_BUILD_STAGE_DIR;
    ASSERT_TRUE(install({programs()}));

    EXPECT_TRUE(QFileInfo(programs() + "/morvik2").isExecutable());
    for (const char* file : {"backup.ini", "Orsadin.html", "morvik2.mdb"}) {
        EXPECT_EQ(contents(programs() + "/" + file), contents(stage + "/" + file)) << file;
    }
    EXPECT_EQ(contents(dataFolder() + "/morvik2.mde"), contents(stage + "/morvik2.mde"));
    for (const QString& book : kBooks) {
        EXPECT_EQ(contents(dataFolder() + "/" + book), contents(stage + "/" + book))
            << book.toStdString();
    }

    // The user works: a class registered, a workbook edited, another one lost; the
    // program folder's list is damaged.
    {
        jet::Connection connection;
        ASSERT_FALSE(connection.open(connectionText(dataFolder() + "/morvik2.mde")));
        ASSERT_FALSE(connection.execute(
            "INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', '文具')"));
    }
    const QByteArray database = contents(dataFolder() + "/morvik2.mde");
    ASSERT_TRUE(write(dataFolder() + "/zaiko.xlsx", "the user's own layout"));
    ASSERT_TRUE(QFile::remove(dataFolder() + "/uriage.xlsx"));
    ASSERT_TRUE(write(programs() + "/backup.ini", "damaged"));

    ASSERT_TRUE(install({programs()}));

    EXPECT_EQ(contents(dataFolder() + "/morvik2.mde"), database);
    jet::Connection connection;
    ASSERT_FALSE(connection.open(connectionText(dataFolder() + "/morvik2.mde")));
    jet::Recordset classes;
    ASSERT_FALSE(classes.open("SELECT Classify_Name FROM ClassifyMast_tbl", connection));
    ASSERT_FALSE(classes.eof());
    EXPECT_EQ(classes.value(0).toString(), "文具");
    EXPECT_EQ(contents(dataFolder() + "/zaiko.xlsx"), "the user's own layout");
    EXPECT_EQ(contents(dataFolder() + "/uriage.xlsx"), contents(stage + "/uriage.xlsx"));
    EXPECT_EQ(contents(programs() + "/backup.ini"), contents(stage + "/backup.ini"));
}

TEST_F(InstallTest, TheInstalledProgramStartsOnTheMainMenu) {
    ASSERT_TRUE(install({programs()}));

    // A virtual display of its own, whose number it reports on its output.
    QProcess display;
    display.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    ASSERT_TRUE(display.waitForStarted(kTimeoutMs)) << "Xvfb is needed (package xvfb)";
    QByteArray number;
    const QDeadlineTimer started(kTimeoutMs);
    while (!number.contains('\n') && display.waitForReadyRead(started.remainingTime())) {
        number += display.readAllStandardOutput();
    }
    ASSERT_TRUE(number.contains('\n'));
    const QString name = ":" + QString::fromLatin1(number.trimmed());

    QProcessEnvironment environment = this->environment(true);
    environment.insert("DISPLAY", name);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(programs() + "/morvik2", {});
    ASSERT_TRUE(program.waitForStarted(kTimeoutMs));

    // The menu window is mapped with its caption, and the program runs on.
    bool shown = false;
    const QDeadlineTimer deadline(kTimeoutMs);
    while (!shown && !deadline.hasExpired() && program.state() == QProcess::Running) {
        QProcess windows;
        windows.setProcessEnvironment(environment);
        windows.start("xwininfo", {"-root", "-tree"});
        ASSERT_TRUE(windows.waitForFinished(kTimeoutMs))
            << "xwininfo is needed (package x11-utils)";
        shown = QString::fromUtf8(windows.readAllStandardOutput())
                    .contains("\"モルビク - メニュー\": (\"morvik2\"");
        if (!shown) {
            QThread::msleep(50);
        }
    }
    EXPECT_TRUE(shown);
    EXPECT_FALSE(program.waitForFinished(1000));
    EXPECT_EQ(program.state(), QProcess::Running);

    program.kill();
    program.waitForFinished();
    display.kill();
    display.waitForFinished();
}

}  // namespace
