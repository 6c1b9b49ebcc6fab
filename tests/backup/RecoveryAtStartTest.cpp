#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "tests/support/TestDatabase.h"

// Each of the three programs settles a restore that was stopped part way before anything
// reads the database.
namespace {

constexpr int kTimeoutMs = 20000;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(RecoveryAtStartTest, EachProgramFinishesAnInterruptedRestoreFirst) {
    const struct {
        const char* program;
        QStringList arguments;
    } programs[] = {
        {MORVIK2_PROGRAM, {}},
        {OSTRAIL_PROGRAM, {"/install"}},
        {QUENNET_PROGRAM, {"/install"}},
    };
    const QByteArray restored = readFile(TestDatabase::shippedFilePath());
    ASSERT_FALSE(restored.isEmpty());
    for (const auto& p : programs) {
        SCOPED_TRACE(p.program);
        QTemporaryDir home;
        QTemporaryDir runtime;
        const QString data = home.path() + "/Kelvarn/Sales/Ver2";
        const QString run = data + "/.work-Ab3dEf";
        // Stopped after the old database was moved aside, before the new one was moved in.
        ASSERT_TRUE(QDir().mkpath(run + "/new"));
        ASSERT_TRUE(QDir().mkpath(run + "/old"));
        writeFile(run + "/old/morvik2.mde", "the database before the restore");
        writeFile(run + "/new/morvik2.mde", restored);
        writeFile(run + "/replace", R"({"names": ["morvik2.mde"], "auto": ""})");
        ASSERT_FALSE(QFile::exists(data + "/morvik2.mde"));

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.start(p.program, p.arguments);
        ASSERT_TRUE(program.waitForStarted(kTimeoutMs));
        const QDeadlineTimer deadline(kTimeoutMs);
        while (QDir(run).exists() && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
        program.kill();
        program.waitForFinished();
        EXPECT_FALSE(QDir(run).exists());
        EXPECT_EQ(readFile(data + "/morvik2.mde"), restored);
    }
}

}  // namespace
