// Each of the three programs, started as it is built after a program was killed while it
// wrote the data folder's database, rolls the write back before anything reads the file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/InterruptedWrite.h"
#include "tests/support/ProgramStart.h"
#include "tests/support/TestDatabase.h"

namespace {

TEST(InterruptedWriteProgramTest, EachProgramStartsOnTheDataFromBeforeTheKilledWrite) {
    for (const ProgramStart::Program& program : ProgramStart::Programs()) {
        SCOPED_TRACE(program.path.toStdString());
        QTemporaryDir home;
        const QString folder = home.path() + "/Kelvarn/Sales/Ver2";
        const QString path = folder + "/" + TestDatabase::fileName();
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_EQ(InterruptedWrite::fillProducts(path, TestDatabase::password(), 500), "");
        const QString before = InterruptedWrite::productRows(path, TestDatabase::password());
        ASSERT_FALSE(before.isEmpty());
        ASSERT_EQ(InterruptedWrite::killDuringReplace(path, TestDatabase::password()), "");

        const QString journal = path + "-journal";
        ASSERT_TRUE(ProgramStart::RunUntil(program, home.path(),
                                           [&journal] { return !QFile::exists(journal); }));
        EXPECT_FALSE(QFile::exists(journal));
        EXPECT_EQ(InterruptedWrite::productRows(path, TestDatabase::password()), before);
    }
}

}  // namespace
