// Start-up with the debug switch over damaged or foreign development databases (the plain
// "morvik2.mdb" of the program folder): each ends through its message, never a crash, and
// leaves the file as it was.

#include <gtest/gtest.h>

#include <QFile>
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

const QString kDamaged = "DataBaseが破損している恐れがあります。\r\nDataBaseを復元してください。";

QString developmentDatabase() {
    return forms::App::Path() + "/morvik2.mdb";
}

// The shipped development database with a page count in its header far beyond the file.
QString withHugePageCount(const QString& path) {
    QFile::remove(path);
    if (!QFile::copy(TestDatabase::stageFolder() + "/morvik2.mdb", path)) {
        return "cannot copy to " + path;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(28) ||
        file.write("\x7f\xff\xff\xff", 4) != 4) {
        return "cannot write " + path;
    }
    return {};
}

void expectEnd(const QString& message, bool restoreScreen) {
    forms::TestHook::enable();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);  // the debug question
    MainModule::Main("/debug");
    EXPECT_EQ(frmMenu.Window(), nullptr);
    const auto& boxes = forms::TestHook::msgBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, message) << boxes[1].text.toStdString();
    EXPECT_EQ(forms::TestHook::dialogs().size(), restoreScreen ? 1u : 0u);
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
    forms::TestHook::disable();
}

TEST(DebugDatabaseStartupTest, EveryCraftedDevelopmentDatabaseEndsThroughItsMessage) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    const QString path = developmentDatabase();
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        SCOPED_TRACE(c.name);
        const QString made = c.make(path, QString());
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        const QByteArray before = readFile(path);
        const bool damaged = c.kind == CraftedDatabases::Kind::Damaged;
        expectEnd(damaged ? kDamaged : QStringLiteral("基本データ取得に失敗しました。"), damaged);
        EXPECT_EQ(readFile(path), before);
    }
    SCOPED_TRACE("a page count far beyond the file");
    const QString made = withHugePageCount(path);
    ASSERT_TRUE(made.isEmpty()) << made.toStdString();
    const QByteArray before = readFile(path);
    expectEnd(kDamaged, true);
    EXPECT_EQ(readFile(path), before);
}

}  // namespace
