#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "platform/forms/App.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Screen.h"

namespace forms {
namespace {

// A screen with a close button (a picture box) and the usual handlers, counting them.
class TestForm : public Form {
  public:
    TestForm() {
        closeButton = new PictureBox(this);
        closeButton->Move(0, 0, 1500, 600);
        clicked_ = closeButton->Click.connect([this] { btnEND_Click(); });
    }

    void btnEND_Click() {
        ++closeClicks;
        Unload();
    }

    PictureBox* closeButton;
    int loads = 0;
    int closeClicks = 0;
    int unloads = 0;
    std::vector<int> queryModes;
    bool routeFrameClose = false;
    bool refuseUnload = false;

  protected:
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(int& cancel, int unloadMode) override {
        queryModes.push_back(unloadMode);
        if (unloadMode == vbFormControlMenu && routeFrameClose) {
            cancel = 1;
            btnEND_Click();
        }
    }
    void Form_Unload(int& cancel) override {
        ++unloads;
        cancel = refuseUnload ? 1 : 0;
    }

  private:
    Subscription clicked_;
};

void deleteDeferred() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Form, ModalShowReturnsAfterUnloadFromTheFormsOwnEventAndDeletesLater) {
    QPointer<TestForm> screen = new TestForm;
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), screen.data());
        QTest::mouseClick(screen->closeButton, Qt::LeftButton);
        clicked = true;
    });
    screen->Show(vbModal);
    EXPECT_TRUE(clicked);
    ASSERT_FALSE(screen.isNull());  // released only after the event has returned
    EXPECT_EQ(screen->closeClicks, 1);
    EXPECT_EQ(screen->unloads, 1);
    EXPECT_EQ(screen->queryModes, std::vector<int>{vbFormCode});
    EXPECT_FALSE(screen->Loaded());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    deleteDeferred();
    EXPECT_TRUE(screen.isNull());
}

TEST(Form, FrameCloseUnloadsOrGoesToTheScreensCloseButton) {
    TestForm plain;
    plain.SetDeleteOnUnload(false);
    plain.Show();
    plain.close();
    EXPECT_EQ(plain.queryModes, std::vector<int>{vbFormControlMenu});
    EXPECT_FALSE(plain.Loaded());
    EXPECT_FALSE(plain.isVisible());

    TestForm routed;
    routed.SetDeleteOnUnload(false);
    routed.routeFrameClose = true;
    routed.Show();
    routed.close();
    EXPECT_EQ(routed.closeClicks, 1);
    EXPECT_EQ(routed.queryModes, (std::vector<int>{vbFormControlMenu, vbFormCode}));
    EXPECT_EQ(routed.unloads, 1);
    EXPECT_FALSE(routed.Loaded());
}

TEST(Form, UnloadCanBeRefusedAndADisabledFormCannotBeClosed) {
    TestForm screen;
    screen.SetDeleteOnUnload(false);
    screen.Show();
    screen.refuseUnload = true;
    EXPECT_FALSE(screen.Unload());
    EXPECT_TRUE(screen.Loaded());
    EXPECT_TRUE(screen.isVisible());

    screen.refuseUnload = false;
    screen.SetEnabled(false);
    screen.close();
    EXPECT_TRUE(screen.Loaded());
    EXPECT_EQ(screen.queryModes, std::vector<int>{vbFormCode});  // the refused Unload only
    screen.SetEnabled(true);
    EXPECT_TRUE(screen.Unload());
    EXPECT_FALSE(screen.Loaded());
}

TEST(Form, LoadRunsOncePerLoadAndAHiddenFormStaysLoaded) {
    TestForm screen;
    screen.SetDeleteOnUnload(false);
    screen.Load();
    screen.Show();
    screen.Hide();
    screen.Show();
    EXPECT_EQ(screen.loads, 1);
    EXPECT_TRUE(screen.Loaded());
    screen.Unload();
    screen.Show();
    EXPECT_EQ(screen.loads, 2);
    screen.Unload();
    deleteDeferred();
}

TEST(Form, NestedModalFormsReturnInOrderAndTheTopOneComesToTheFront) {
    TestForm outer;
    TestForm inner;
    outer.SetDeleteOnUnload(false);
    inner.SetDeleteOnUnload(false);
    std::vector<QString> order;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget(), &inner);
            inner.showMinimized();
            outer.activateWindow();
            App::BringToFront();
            EXPECT_FALSE(inner.isMinimized());
            order.push_back(QStringLiteral("inner shown"));
            inner.Hide();
        });
        inner.Show(vbModal, &outer);
        order.push_back(QStringLiteral("inner returned"));
        EXPECT_TRUE(inner.Loaded());  // hidden, not unloaded
        outer.Hide();
    });
    outer.Show(vbModal);
    order.push_back(QStringLiteral("outer returned"));
    EXPECT_EQ(order,
              (std::vector<QString>{QStringLiteral("inner shown"), QStringLiteral("inner returned"),
                                    QStringLiteral("outer returned")}));
    EXPECT_EQ(inner.windowHandle()->transientParent(), outer.windowHandle());

    // Shown again modeless, the form no longer blocks the others.
    inner.Show();
    EXPECT_EQ(inner.windowModality(), Qt::NonModal);
}

TEST(Form, DeletingAModalFormEndsItsShow) {
    QPointer<TestForm> screen = new TestForm;
    QTimer::singleShot(0, [&] { delete screen.data(); });
    screen->Show(vbModal);
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A screen whose activation gives the focus to its grid, as the screens do.
class GridForm : public Form {
  public:
    GridForm() {
        grid = new QPushButton(QStringLiteral("grid"), this);
        button = new QPushButton(QStringLiteral("button"), this);
        button->move(0, 40);
        SetDeleteOnUnload(false);
    }
    QPushButton* grid;
    QPushButton* button;
    int activations = 0;

  protected:
    void Form_Activate() override {
        ++activations;
        grid->setFocus();
    }
};

void showActive(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(Form, ActivateComesWhenTheFormBecomesTheActiveFormNotAfterItsMessageBox) {
    GridForm screen;
    screen.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    EXPECT_EQ(screen.activations, 1);
    EXPECT_EQ(screen.focusWidget(), screen.grid);

    screen.button->setFocus();
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        box->buttons().first()->click();
    });
    MsgBox(QStringLiteral("保存しました。"), vbInformation);
    showActive(screen);
    EXPECT_EQ(screen.activations, 1);
    EXPECT_EQ(screen.focusWidget(), screen.button);

    // Back from another form, it is activated anew.
    GridForm other;
    other.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    showActive(screen);
    EXPECT_EQ(screen.activations, 2);
}

TEST(Form, PositionAndSizeAreTwipsOfTheOuterWindow) {
    TestForm screen;
    screen.SetDeleteOnUnload(false);
    screen.Move(1500, 750, 12000, 9000);
    EXPECT_DOUBLE_EQ(screen.Left(), 1500);
    EXPECT_DOUBLE_EQ(screen.Top(), 750);
    EXPECT_DOUBLE_EQ(screen.Width(), 12000);
    EXPECT_DOUBLE_EQ(screen.Height(), 9000);
    screen.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    screen.SetWidth(11475);
    screen.SetHeight(8310);
    EXPECT_DOUBLE_EQ(screen.Width(), 11475);
    EXPECT_DOUBLE_EQ(screen.Height(), 8310);
    EXPECT_LE(screen.ScaleWidth(), 11475);
    EXPECT_DOUBLE_EQ(screen.ScaleWidth(), screen.width() * 15.0);

    // Centred on the screen as the screens place themselves.
    screen.Move((Screen::Width() - screen.Width()) / 2, (Screen::Height() - screen.Height()) / 2);
    EXPECT_LE(
        (screen.frameGeometry().center() - screen.screen()->geometry().center()).manhattanLength(),
        2);

    screen.SetCaption(QStringLiteral(" データバックアップ"));
    EXPECT_EQ(screen.windowTitle(), QStringLiteral(" データバックアップ"));
    EXPECT_NE(screen.hWnd(), WId(0));
    screen.Unload();
}

// Set before the window has its frame, the outer size is still the outer size once the
// frame is there, and the form cannot be made smaller than that.
TEST(Form, AnOuterSizeSetBeforeTheFrameIsKnownHoldsWithTheFrame) {
    TestForm screen;
    screen.SetDeleteOnUnload(false);
    screen.SetWidth(12000);
    screen.SetHeight(9000);
    screen.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    ASSERT_GT(screen.frameGeometry().width(), screen.width()) << "no frame to test with";
    EXPECT_DOUBLE_EQ(screen.Width(), 12000);
    EXPECT_DOUBLE_EQ(screen.Height(), 9000);
    screen.resize(400, 300);
    EXPECT_DOUBLE_EQ(screen.Width(), 12000);
    EXPECT_DOUBLE_EQ(screen.Height(), 9000);
    screen.resize(screen.width() + 40, screen.height() + 30);  // larger stays possible
    EXPECT_DOUBLE_EQ(screen.Width(), 12600);

    screen.SetWidth(6000);  // set smaller again in code
    EXPECT_DOUBLE_EQ(screen.Width(), 6000);
    screen.Unload();
}

// A piece of work greys the form out and gives the focus back at its end: to the control
// that had it, or to the one that asked for it meanwhile; a nested piece ends with the
// outer one, and a control gone meanwhile leaves the focus to the next one.
TEST(Form, WorkGivesTheFocusBack) {
    TestForm screen;
    screen.SetDeleteOnUnload(false);
    auto* first = new QPushButton(QStringLiteral("一"), &screen);
    auto* second = new QPushButton(QStringLiteral("二"), &screen);
    second->move(0, 100);
    screen.closeButton->setFocusPolicy(Qt::StrongFocus);
    screen.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));

    first->setFocus();
    screen.BeginWork();
    EXPECT_FALSE(screen.isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
    screen.BeginWork();
    screen.EndWork();
    EXPECT_FALSE(screen.isEnabled());
    screen.EndWork();
    EXPECT_TRUE(screen.isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), first);

    screen.BeginWork();
    screen.closeButton->SetFocus();
    EXPECT_TRUE(Form::FocusAfterWork(second));
    screen.closeButton->SetFocus();  // the last request counts
    screen.EndWork();
    EXPECT_EQ(QApplication::focusWidget(), screen.closeButton);
    EXPECT_FALSE(Form::FocusAfterWork(second));  // not at work: nothing kept

    screen.BeginWork();
    screen.closeButton->hide();
    screen.EndWork();
    EXPECT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_NE(QApplication::focusWidget(), screen.closeButton);
    screen.Unload();
}

TEST(App, PathAndTitle) {
    EXPECT_EQ(App::Path(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(App::Title(), QStringLiteral("モルビク"));
    App::SetTitle(QStringLiteral("モルビク+"));
    EXPECT_EQ(App::Title(), QStringLiteral("モルビク+"));
    App::SetTitle(QStringLiteral("モルビク"));
}

}  // namespace
}  // namespace forms
