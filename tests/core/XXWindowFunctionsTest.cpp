#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "TestFiles.h"
#include "core/HelpWindow.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/forms/TestHook.h"

namespace {

QSize screenSize() {
    return QGuiApplication::primaryScreen()->geometry().size();
}

TEST(XXWindowFunctionsTest, SetFormClientSizeAndCenterFormWorkInTwips) {
    forms::Form form;
    XX共通関数::SetFormClientSize(form, 400, 300);
    EXPECT_DOUBLE_EQ(form.Width(), 6000);
    EXPECT_DOUBLE_EQ(form.Height(), 4500);

    XX共通関数::CenterForm(form);
    EXPECT_NEAR(form.Left(), (forms::Screen::Width() - 6000) / 2, 15);
    EXPECT_NEAR(form.Top(), (forms::Screen::Height() - 4500) / 2, 15);
}

TEST(XXWindowFunctionsTest, CenterWindowRoundsHalvesToTheEvenNeighbour) {
    const QSize screen = screenSize();
    // Sizes whose free space is odd put the window half a pixel off the middle.
    for (const int width : {301, 303}) {
        QWidget window;
        XX共通関数::CenterWindow(&window, width, 201);
        EXPECT_EQ(window.width(), width);
        EXPECT_EQ(window.height(), 201);
        const double x = (screen.width() - width) / 2.0;
        const double y = (screen.height() - 201) / 2.0;
        ASSERT_NE(x, std::floor(x)) << "the screen width must be even";
        EXPECT_EQ(std::abs(window.x() - x), 0.5);
        EXPECT_EQ(window.x() % 2, 0) << width;
        EXPECT_EQ(std::abs(window.y() - y), 0.5);
        EXPECT_EQ(window.y() % 2, 0);
    }
}

TEST(XXWindowFunctionsTest, CenterWindowKeepsTheOwnSizeForZero) {
    QWidget window;
    window.resize(200, 100);
    XX共通関数::CenterWindow(&window, 0, -5);
    EXPECT_EQ(window.size(), QSize(200, 100));
    EXPECT_EQ(window.x(), (screenSize().width() - 200) / 2);
    EXPECT_EQ(window.y(), (screenSize().height() - 100) / 2);
}

// A help file in the program folder, removed again after the test.
class HelpFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        forms::TestHook::enable();
        fileName_ = QStringLiteral("help-test-%1.html").arg(QCoreApplication::applicationPid());
        ASSERT_TRUE(writeFile(XX共通関数::GetAppPath() + fileName_,
                              "<html><body><h1>モルビクの使い方</h1></body></html>"));
    }

    void TearDown() override {
        XX共通関数::CloseHelpFile();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile::remove(XX共通関数::GetAppPath() + fileName_);
        forms::TestHook::disable();
    }

    static int helpWindows() {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            count += dynamic_cast<HelpWindow*>(window) != nullptr && window->isVisible();
        }
        return count;
    }

    QString fileName_;
};

TEST_F(HelpFileTest, OpensOneWindowAndASecondPressBringsItForward) {
    XX共通関数::OpenHelpFile(fileName_, "モルビクHelp", 0, 0, 800, 600);
    HelpWindow* help = XX共通関数::HelpProcess();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "モルビクHelp");
    EXPECT_EQ(help->pos(), QPoint(0, 0));
    EXPECT_EQ(help->size(), QSize(800, 600));
    EXPECT_TRUE(help->toPlainText().contains("モルビクの使い方"));

    help->showMinimized();
    XX共通関数::OpenHelpFile(fileName_, "モルビクHelp", 0, 0, 800, 600);
    EXPECT_EQ(helpWindows(), 1);
    EXPECT_EQ(XX共通関数::HelpProcess(), help);
    EXPECT_FALSE(help->isMinimized());
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());

    XX共通関数::CloseHelpFile();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(XX共通関数::HelpProcess(), nullptr);
    EXPECT_EQ(helpWindows(), 0);
}

TEST_F(HelpFileTest, AMissingFileIsToldAndOpensNothing) {
    XX共通関数::OpenHelpFile("missing.html", "モルビクHelp", 0, 0, 800, 600);
    EXPECT_EQ(XX共通関数::HelpProcess(), nullptr);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    const forms::TestHook::MsgBoxShown& box = forms::TestHook::msgBoxes()[0];
    EXPECT_EQ(box.text,
              "ヘルプファイルが見つかりません。\r\n" + XX共通関数::GetAppPath() + "missing.html");
    EXPECT_EQ(box.style, 48);
    EXPECT_EQ(box.title, "モルビク");
    XX共通関数::CloseHelpFile();
}

}  // namespace
