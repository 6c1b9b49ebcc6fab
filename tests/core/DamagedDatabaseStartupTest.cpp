// Start-up over damaged or foreign database files: each ends through its message (and the
// restore screen where the file cannot be opened), never a crash, and leaves the data
// folder as it was.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "app/Startup.h"
#include "platform/forms/TestHook.h"
#include "screens/menu/frmMenu.h"
#include "tests/support/CraftedDatabases.h"
#include "tests/support/TestDatabase.h"

namespace {

std::map<QString, QByteArray> folderBytes(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        files[name] = readFile(folder + "/" + name);
    }
    return files;
}

TEST(DamagedDatabaseStartupTest, EveryCraftedFileEndsThroughItsMessage) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dataHome;
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        const QString folder = dataHome.path() + "/Kelvarn/Sales/Ver2";
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString made =
            c.make(folder + "/" + TestDatabase::fileName(), TestDatabase::password());
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        const auto before = folderBytes(folder);
        forms::TestHook::enable();

        MainModule::Main("");

        EXPECT_EQ(frmMenu.Window(), nullptr);
        const auto& boxes = forms::TestHook::msgBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        const bool damaged = c.kind == CraftedDatabases::Kind::Damaged;
        EXPECT_EQ(boxes[0].text, damaged ? "DataBaseが破損している恐れがあります。\r\n"
                                           "DataBaseを復元してください。"
                                         : "基本データ取得に失敗しました。")
            << boxes[0].text.toStdString();
        // The restore screen comes up for a file that cannot be opened.
        const auto& dialogs = forms::TestHook::dialogs();
        EXPECT_EQ(dialogs.size(), damaged ? 1u : 0u);
        if (damaged && !dialogs.empty()) {
            EXPECT_EQ(dialogs[0].kind, "form");
        }
        EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
        EXPECT_EQ(folderBytes(folder), before);
        forms::TestHook::disable();
    }
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
