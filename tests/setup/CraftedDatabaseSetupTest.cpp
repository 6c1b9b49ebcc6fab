// The setup wizard over damaged or foreign database files: its failure message and the
// end of the program, never a crash, and the file left as it was.

#include <QFile>

#include "SetupFixture.h"
#include "platform/forms/TestHook.h"
#include "setup/frmSetup.h"
#include "tests/support/CraftedDatabases.h"

namespace {

class CraftedDatabaseSetupTest : public SetupFixture {};

TEST_F(CraftedDatabaseSetupTest, EveryCraftedFileEndsTheWizardWithItsMessage) {
    std::vector<CraftedDatabases::Case> cases = CraftedDatabases::all();
    // A database of a newer release: refused as well, and not called damaged.
    cases.push_back({"a database of a newer release", CraftedDatabases::Kind::Damaged, nullptr,
                     CraftedDatabases::withNewerFormat});
    for (const CraftedDatabases::Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString made = c.make(database.filePath(), TestDatabase::password());
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        QFile file(database.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        forms::TestHook::enable();

        frmSetup form;
        form.SetDeleteOnUnload(false);
        form.Show();

        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
                  "初期設定に失敗しました｡\r\nインストールを中止して最初からやり直してください。");
        EXPECT_EQ(forms::TestHook::ends().size(), 1u);
        file.seek(0);
        EXPECT_EQ(file.readAll(), before);
    }
}

}  // namespace
