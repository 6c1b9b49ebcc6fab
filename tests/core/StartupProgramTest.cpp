#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

#include "tests/support/TestDatabase.h"

namespace {

constexpr int kTimeoutMs = 20000;

// The real program, run headless with a runtime folder and a data home of its own.
class StartupProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        ASSERT_TRUE(dataHome_.isValid());
    }

    std::unique_ptr<QProcess> start(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime_.path());
        environment.insert("XDG_DATA_HOME", dataHome_.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(MORVIK2_PROGRAM, arguments);
        EXPECT_TRUE(process->waitForStarted(kTimeoutMs));
        return process;
    }

    // True once a running copy listens on the single-instance channel.
    bool waitForListeningCopy() const {
        const QDeadlineTimer deadline(kTimeoutMs);
        while (!deadline.hasExpired()) {
            const QStringList sockets = QDir(runtime_.path())
                                            .entryList({"morvik-*"}, QDir::System | QDir::Files)
                                            .filter(QRegularExpression("^(?!.*\\.lock$)"));
            if (!sockets.isEmpty()) {
                return true;
            }
            QThread::msleep(20);
        }
        return false;
    }

    QTemporaryDir runtime_;
    QTemporaryDir dataHome_;
};

TEST_F(StartupProgramTest, StartsOnTheDatabaseOfTheDataFolderAndStaysOnTheMenu) {
    const QString folder = dataHome_.path() + "/Kelvarn/Sales/Ver2";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), folder + "/morvik2.mde"));

    // The menu keeps the program running until its exit button.
    const auto program = start({});
    ASSERT_TRUE(waitForListeningCopy());
    EXPECT_FALSE(program->waitForFinished(1500));
    EXPECT_EQ(program->state(), QProcess::Running);

    program->kill();
    program->waitForFinished();
}

TEST_F(StartupProgramTest, ASecondCopyBringsTheFirstForwardAndEndsWithoutTheDatabase) {
    // The first copy waits at its debug question.
    const auto first = start({"/debug"});
    ASSERT_TRUE(waitForListeningCopy());

    // The data folder is empty: had the second copy gone on to the database, it would be
    // waiting at the message of a missing database.
    const auto second = start({});
    const bool ended = second->waitForFinished(kTimeoutMs);
    if (!ended) {
        second->kill();
        second->waitForFinished();
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    first->kill();
    first->waitForFinished();
}

}  // namespace
