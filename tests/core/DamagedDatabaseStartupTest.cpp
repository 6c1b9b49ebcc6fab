// Start-up over damaged, foreign or newer database files: each ends through its message (and
// the restore screen where the file is damaged), never a crash, and leaves the data folder
// as it was.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "app/Startup.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
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

struct Start {
    std::string name;
    QString (*make)(const QString& path, const QString& password);
    QString text;
    int style;
    QString title;
    bool restoreScreen;
};

std::vector<Start> starts() {
    std::vector<Start> all;
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        if (c.kind == CraftedDatabases::Kind::Damaged) {
            all.push_back({c.name, c.make,
                           "DataBaseが破損している恐れがあります。\r\nDataBaseを復元してください。",
                           forms::vbCritical, "Error", true});
        } else {
            all.push_back({c.name, c.make, "基本データ取得に失敗しました。", forms::vbExclamation,
                           forms::App::Title(), false});
        }
    }
    // Not damaged, only newer: the restore screen would offer to put an older backup over it.
    all.push_back({"a database of a newer release", CraftedDatabases::withNewerFormat,
                   "DataBaseは新しい版のプログラムで作られているため、この版では開けません。\r\n"
                   "新しい版のプログラムで起動してください。",
                   forms::vbCritical, forms::App::Title(), false});
    return all;
}

TEST(DamagedDatabaseStartupTest, EveryCraftedFileEndsThroughItsMessage) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    for (const Start& start : starts()) {
        SCOPED_TRACE(start.name);
        QTemporaryDir dataHome;
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        const QString folder = dataHome.path() + "/Kelvarn/Sales/Ver2";
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString made =
            start.make(folder + "/" + TestDatabase::fileName(), TestDatabase::password());
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        const auto before = folderBytes(folder);
        forms::TestHook::enable();

        MainModule::Main("");

        EXPECT_EQ(frmMenu.Window(), nullptr);
        const auto& boxes = forms::TestHook::msgBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, start.text) << boxes[0].text.toStdString();
        EXPECT_EQ(boxes[0].style, start.style);
        EXPECT_EQ(boxes[0].title, start.title);
        // The restore screen comes up for a file that cannot be opened.
        const auto& dialogs = forms::TestHook::dialogs();
        EXPECT_EQ(dialogs.size(), start.restoreScreen ? 1u : 0u);
        if (start.restoreScreen && !dialogs.empty()) {
            EXPECT_EQ(dialogs[0].kind, "form");
        }
        EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
        EXPECT_EQ(folderBytes(folder), before);
        forms::TestHook::disable();
    }
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
