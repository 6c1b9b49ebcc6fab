#include <gtest/gtest.h>

#include <QDir>

#include "TempTree.h"
#include "platform/shell/Programs.h"

namespace {

TEST(ProgramsTest, FindsFilesAsThePathSearchDoes) {
    EXPECT_EQ(shell::findExecutablePath("/bin/true"), "/bin/true");
    EXPECT_TRUE(shell::findExecutablePath("sh").endsWith("/sh"));
    EXPECT_EQ(shell::findExecutablePath("no-such-program-here"), "");
    EXPECT_EQ(shell::findExecutablePath("/bin"), "");
    EXPECT_EQ(shell::findExecutablePath(""), "");

    TempTree tree;
    tree.write("help/Orsadin.chm", "help");
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.path()));
    const QString here = QDir::currentPath();
    EXPECT_EQ(shell::findExecutablePath("help/Orsadin.chm"), here + "/help/Orsadin.chm");
    ASSERT_TRUE(QDir::setCurrent(tree.path("help")));
    EXPECT_EQ(shell::findExecutablePath("Orsadin.chm"), here + "/help/Orsadin.chm");
    QDir::setCurrent(saved);
}

TEST(ProgramsTest, StartsWaitsForAndEndsPrograms) {
    const shell::ProcessId done = shell::startProgram("/bin/true", {});
    ASSERT_GT(done, 0);
    EXPECT_TRUE(shell::waitForExit(done, 5000));
    EXPECT_EQ(shell::startProgram("/no/such/program", {}), 0);

    const shell::ProcessId sleeper = shell::startProgram("sleep", {"30"});
    ASSERT_GT(sleeper, 0);
    EXPECT_FALSE(shell::waitForExit(sleeper, 50));
    EXPECT_TRUE(shell::terminateProcess(sleeper));
    EXPECT_TRUE(shell::waitForExit(sleeper, 0));

    EXPECT_FALSE(shell::terminateProcess(0));
    EXPECT_FALSE(shell::terminateProcess(-1));
}

TEST(ProgramsTest, RunsProgramsToTheEnd) {
    EXPECT_EQ(shell::runProgram("/bin/true", {}), 0);
    EXPECT_EQ(shell::runProgram("/bin/sh", {"-c", "exit 3"}), 3);
    EXPECT_EQ(shell::runProgram("/no/such/program", {}), -1);
    EXPECT_EQ(shell::runProgram("sleep", {"30"}, 100), -1);
}

}  // namespace
