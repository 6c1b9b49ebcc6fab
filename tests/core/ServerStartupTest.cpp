// Start-up with the database on the server: a server that cannot be reached, a refused login
// and a missing database each end the program with the server's message, and none offers
// the restore screen, which would put a file in place of a database that is not damaged.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>

#include "app/Startup.h"
#include "core/AccessADOClass.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "screens/menu/frmMenu.h"

namespace {

// Sets an environment variable for the object's life.
class EnvironmentValue {
  public:
    EnvironmentValue(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvironmentValue() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(ServerStartupTest, ServerNotReachedEndsWithItsMessageAndNoRestoreScreen) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PGHOST"))
        << "no PostgreSQL server: start one with eval \"$(scripts/start-postgres.sh)\"";
    QTemporaryDir runtime;
    QTemporaryDir dataHome;
    QTemporaryDir noServer;
    const EnvironmentValue runtimeFolder("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    const EnvironmentValue dataFolder("XDG_DATA_HOME", dataHome.path().toUtf8());
    struct Case {
        const char* name;
        const char* variable;
        QByteArray value;
    };
    // The start-up database "morvik2.mde" is never made on the test server: with the
    // server's own login, it is missing.
    const Case cases[] = {
        {"no server", "PGHOST", noServer.path().toUtf8()},
        {"wrong password", "PGPASSWORD", qgetenv("PGPASSWORD") + "x"},
        {"unknown user", "PGUSER", "morvik_nobody"},
        {"missing database", nullptr, {}},
    };
    AccessADOClass::InitialProvider() = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<EnvironmentValue> changed;
        if (c.variable) {
            changed.emplace(c.variable, c.value);
        }
        forms::TestHook::enable();

        MainModule::Main("");

        EXPECT_EQ(frmMenu.Window(), nullptr);
        const auto& boxes = forms::TestHook::msgBoxes();
        EXPECT_EQ(boxes.size(), 1u);
        for (const auto& box : boxes) {
            EXPECT_EQ(box.text,
                      "DataBaseサーバーに接続できませんでした。\r\n"
                      "サーバーの起動と接続の設定を確認してください。")
                << box.text.toStdString();
            EXPECT_EQ(box.style, forms::vbCritical);
            EXPECT_EQ(box.title, "Error");
        }
        EXPECT_TRUE(forms::TestHook::dialogs().empty());
        EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
        forms::TestHook::disable();
    }
    AccessADOClass::InitialProvider() = 0;
}

}  // namespace
