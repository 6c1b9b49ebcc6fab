#include <gtest/gtest.h>

#include <QDir>

#include "TempTree.h"
#include "platform/shell/SpecialFolders.h"

namespace {

class SpecialFoldersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "HOME"}) {
            saved_.push_back({name, qgetenv(name)});
        }
        qputenv("HOME", tree.path("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", tree.path("config").toUtf8());
        qunsetenv("XDG_DATA_HOME");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value.isNull()) {
                qunsetenv(name);
            } else {
                qputenv(name, value);
            }
        }
    }
    TempTree tree;

  private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(SpecialFoldersTest, LocalApplicationDataIsTheXdgDataHome) {
    EXPECT_EQ(shell::specialFolderPath(shell::csidlLocalAppData), tree.path("home/.local/share"));
    qputenv("XDG_DATA_HOME", (tree.path("data") + "/").toUtf8());
    EXPECT_EQ(shell::specialFolderPath(0x1C), tree.path("data"));
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(shell::specialFolderPath(0x1C), tree.path("home/.local/share"));
}

TEST_F(SpecialFoldersTest, DocumentsAndDesktopAreTheUserFolders) {
    tree.write("config/user-dirs.dirs",
               "XDG_DOCUMENTS_DIR=\"$HOME/書類\"\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
    EXPECT_EQ(shell::specialFolderPath(5), tree.path(QString::fromUtf8("home/書類")));
    EXPECT_EQ(shell::specialFolderPath(0), tree.path(QString::fromUtf8("home/デスクトップ")));
    EXPECT_EQ(shell::specialFolderPath(0x1A), "");
    EXPECT_EQ(shell::specialFolderPath(-1), "");
}

}  // namespace
