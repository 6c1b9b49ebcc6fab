#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <map>

#include "platform/excel/OfficeProgram.h"
#include "platform/forms/Fonts.h"
#include "platform/printer/WorkFolder.h"

namespace {

// A stand-in for the office program: it notes the profile it was given and that
// profile's settings, starts a child process as the real one starts its office
// process, and then ends, fails or hangs as the file "mode" says.
const char* const standIn = R"sh(#!/bin/sh
folder="$(dirname "$0")"
for argument in "$@"; do
    case "$argument" in
        -env:UserInstallation=file://*) profile="${argument#-env:UserInstallation=file://}" ;;
    esac
done
echo "$profile" >"$folder/profile"
cp "$profile/user/registrymodifications.xcu" "$folder/settings.xcu"
sleep 600 &
echo $! >"$folder/child"
case "$(cat "$folder/mode")" in
    hang) wait ;;
    fail) kill $!; exit 1 ;;
    *) kill $!; exit 0 ;;
esac
)sh";

class OfficeProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QFile script(folder_.filePath("soffice"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(standIn);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        excel::office::setProgram(script.fileName());
        QFile(folder_.filePath("book.xlsx")).open(QIODevice::WriteOnly);
    }
    void TearDown() override {
        excel::office::setProgram("soffice");
        excel::office::setRunTimeout(0);
    }

    // Runs a conversion with the stand-in in this mode; the profile it was given.
    QString convertIn(const char* mode) {
        QFile file(folder_.filePath("mode"));
        file.open(QIODevice::WriteOnly);
        file.write(mode);
        file.close();
        EXPECT_FALSE(excel::office::convertToPdf(folder_.filePath("book.xlsx"),
                                                 folder_.filePath("out.pdf")));
        return lineOf("profile");
    }

    QString lineOf(const char* name) const {
        QFile file(folder_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                              : QString();
    }

    // The font replacements of the settings the stand-in copied: name → substitute.
    std::map<QString, QString> replacements() const {
        pugi::xml_document settings;
        std::map<QString, QString> pairs;
        if (!settings.load_file(QFile::encodeName(folder_.filePath("settings.xcu")).constData())) {
            return pairs;
        }
        for (const pugi::xpath_node& hit : settings.select_nodes("//node[prop]")) {
            std::map<std::string, std::string> props;
            for (pugi::xml_node prop : hit.node().children("prop")) {
                props[prop.attribute("oor:name").value()] = prop.child("value").child_value();
            }
            if (props["Always"] == "true" && props["OnScreenOnly"] == "false") {
                pairs[QString::fromStdString(props["ReplaceFont"])] =
                    QString::fromStdString(props["SubstituteFont"]);
            }
        }
        return pairs;
    }

    QTemporaryDir folder_;
};

bool processRuns(const QString& pid) {
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    // A process that ended but was not reaped yet counts as gone.
    return !stat.readAll().contains(") Z ");
}

// Each run gets a new profile of its own, which replaces the workbooks' Japanese
// fonts by the installed Gothic and is gone when the run is over, however it ended.
TEST_F(OfficeProgramTest, EachRunHasAPrivateProfileThatIsRemovedAfterwards) {
    const QString first = convertIn("end");
    const QString second = convertIn("fail");
    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(first, second);
    for (const QString& profile : {first, second}) {
        EXPECT_FALSE(profile.startsWith(QDir::homePath())) << profile.toStdString();
        EXPECT_FALSE(QFile::exists(profile)) << profile.toStdString();
    }
    const std::map<QString, QString> expected{
        {"ＭＳ ゴシック", forms::resolveFontFamily("ＭＳ ゴシック")},
        {"MS UI Gothic", forms::resolveFontFamily("MS UI Gothic")}};
    EXPECT_EQ(replacements(), expected);
}

// A run that hangs is stopped with the process it started, and its profile goes.
TEST_F(OfficeProgramTest, AHungRunIsStoppedWithEverythingItStarted) {
    excel::office::setRunTimeout(1000);
    QElapsedTimer timer;
    timer.start();
    const QString profile = convertIn("hang");
    EXPECT_LT(timer.elapsed(), 30000);
    ASSERT_FALSE(profile.isEmpty());
    EXPECT_FALSE(QFile::exists(profile));
    const QString child = lineOf("child");
    ASSERT_FALSE(child.isEmpty());
    QElapsedTimer ending;
    ending.start();
    while (processRuns(child) && ending.elapsed() < 5000) {
        QThread::msleep(50);
    }
    EXPECT_FALSE(processRuns(child)) << "process " << child.toStdString() << " still runs";
}

// A program killed during a run takes the office program with it, and the folders it
// left are removed at the next start.
TEST_F(OfficeProgramTest, ARunEndsWithAKilledProgramAndItsFoldersGoAtTheNextStart) {
    QFile mode(folder_.filePath("mode"));
    ASSERT_TRUE(mode.open(QIODevice::WriteOnly));
    mode.write("hang");
    mode.close();
    QProcess run;
    run.start(MORVIK_CONVERSION_RUN, {folder_.filePath("soffice"), folder_.filePath("book.xlsx"),
                                      folder_.filePath("out.pdf")});
    ASSERT_TRUE(run.waitForStarted());
    QElapsedTimer starting;
    starting.start();
    while (lineOf("child").isEmpty() && starting.elapsed() < 30000) {
        QThread::msleep(50);
    }
    const QString child = lineOf("child");
    const QString profile = lineOf("profile");
    ASSERT_FALSE(child.isEmpty());
    const qint64 killed = run.processId();
    // Counted while the run lives: once it is dead, any program started meanwhile may
    // already remove what it left.
    EXPECT_TRUE(QFile::exists(profile));
    const QString left = "morvik-print-" + QString::number(killed) + "-*";
    EXPECT_EQ(QDir::temp().entryList({left}, QDir::Dirs).size(), 2);  // profile and output
    ::kill(static_cast<pid_t>(killed), SIGKILL);
    run.waitForFinished();

    QElapsedTimer ending;
    ending.start();
    while (processRuns(child) && ending.elapsed() < 5000) {
        QThread::msleep(50);
    }
    EXPECT_FALSE(processRuns(child)) << "process " << child.toStdString() << " still runs";
    printer::WorkFolder::removeAbandoned();
    EXPECT_TRUE(QDir::temp().entryList({left}, QDir::Dirs).isEmpty());
}

}  // namespace
