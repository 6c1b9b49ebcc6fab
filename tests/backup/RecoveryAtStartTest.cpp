#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/ProgramStart.h"
#include "tests/support/TestDatabase.h"

// Each of the three programs settles a restore that was stopped part way before anything
// reads the database.
namespace {

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
    const QByteArray restored = readFile(TestDatabase::shippedFilePath());
    ASSERT_FALSE(restored.isEmpty());
    for (const ProgramStart::Program& program : ProgramStart::Programs()) {
        SCOPED_TRACE(program.path.toStdString());
        QTemporaryDir home;
        const QString data = home.path() + "/Kelvarn/Sales/Ver2";
        const QString run = data + "/.work-Ab3dEf";
        // Stopped after the old database was moved aside, before the new one was moved in.
        ASSERT_TRUE(QDir().mkpath(run + "/new"));
        ASSERT_TRUE(QDir().mkpath(run + "/old"));
        writeFile(run + "/old/morvik2.mde", "the database before the restore");
        writeFile(run + "/new/morvik2.mde", restored);
        writeFile(run + "/replace", R"({"names": ["morvik2.mde"], "auto": ""})");
        ASSERT_FALSE(QFile::exists(data + "/morvik2.mde"));

        ASSERT_TRUE(
            ProgramStart::RunUntil(program, home.path(), [&run] { return !QDir(run).exists(); }));
        EXPECT_FALSE(QDir(run).exists());
        EXPECT_EQ(readFile(data + "/morvik2.mde"), restored);
    }
}

}  // namespace
