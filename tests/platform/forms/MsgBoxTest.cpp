#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"

namespace forms {
namespace {

class ScriptedMsgBox : public ::testing::Test {
  protected:
    void SetUp() override { TestHook::enable(); }
    void TearDown() override { TestHook::disable(); }
};

TEST_F(ScriptedMsgBox, ScriptAnswersInOrderAndTheTranscriptKeepsWhatWasShown) {
    TestHook::queueMsgBoxAnswer(vbNo);
    TestHook::queueMsgBoxAnswer(vbCancel);
    EXPECT_EQ(
        MsgBox(QStringLiteral("削除しますか？"), vbYesNo + vbQuestion, QStringLiteral("商品一覧")),
        vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("デバックモードで起動しますか？"), 35, QString()), vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("Dataが正常に登録されました。"), vbInformation), vbOK);
    EXPECT_EQ(TestHook::pendingMsgBoxAnswers(), 0u);

    const auto& shown = TestHook::msgBoxes();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].style, 36);
    EXPECT_EQ(shown[0].title, QStringLiteral("商品一覧"));
    EXPECT_EQ(shown[0].text, QStringLiteral("削除しますか？"));
    EXPECT_EQ(shown[0].answer, vbNo);
    EXPECT_EQ(shown[1].title, QStringLiteral("モルビク"));  // empty title: the application's
    EXPECT_EQ(shown[2].style, 64);
    EXPECT_EQ(shown[2].answer, vbOK);
}

TEST_F(ScriptedMsgBox, AnUnscriptedBoxAnswersItsDefaultButton) {
    const struct {
        int style;
        int answer;
    } cases[] = {
        {vbOKOnly, vbOK},
        {vbOKCancel, vbOK},
        {vbOKCancel + vbDefaultButton2, vbCancel},
        {vbAbortRetryIgnore, vbAbort},
        {vbAbortRetryIgnore + vbDefaultButton3, vbIgnore},
        {vbYesNoCancel + vbDefaultButton3 + vbQuestion, vbCancel},
        {vbYesNo + vbDefaultButton2, vbNo},
        {vbRetryCancel + vbCritical, vbRetry},
        {vbYesNo + vbDefaultButton4, vbYes},  // beyond the buttons: the first
        {vbOKOnly + vbDefaultButton2 + vbExclamation, vbOK},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MsgBox(QStringLiteral("?"), c.style), c.answer) << "style " << c.style;
    }
    EXPECT_EQ(TestHook::msgBoxes().size(), std::size(cases));
}

TEST_F(ScriptedMsgBox, DialogsTakeScriptedPathsOrCancel) {
    TestHook::queueDialogAnswer(QStringLiteral("/home/user/在庫管理表_20240131.xlsx"));
    TestHook::DialogShown save{QStringLiteral("save"),
                               QStringLiteral("在庫管理表の保存"),
                               QStringLiteral("/home/user"),
                               QStringLiteral("在庫管理表_20240131.xlsx"),
                               QStringLiteral("Microsoft Excel ブック (*.xlsx)"),
                               QString()};
    QString answer = QStringLiteral("unchanged");
    ASSERT_TRUE(TestHook::answerDialog(save, answer));
    EXPECT_EQ(answer, QStringLiteral("/home/user/在庫管理表_20240131.xlsx"));
    ASSERT_TRUE(TestHook::answerDialog({QStringLiteral("folder"), {}, {}, {}, {}, {}}, answer));
    EXPECT_EQ(answer, QString());

    const auto& shown = TestHook::dialogs();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, QStringLiteral("save"));
    EXPECT_EQ(shown[0].title, QStringLiteral("在庫管理表の保存"));
    EXPECT_EQ(shown[0].initialFolder, QStringLiteral("/home/user"));
    EXPECT_EQ(shown[0].fileName, QStringLiteral("在庫管理表_20240131.xlsx"));
    EXPECT_EQ(shown[0].answer, QStringLiteral("/home/user/在庫管理表_20240131.xlsx"));
    EXPECT_EQ(shown[1].kind, QStringLiteral("folder"));
    EXPECT_EQ(shown[1].answer, QString());
}

TEST_F(ScriptedMsgBox, EndIsOnlyRecordedAndEverythingStopsWithTestMode) {
    App::End(1);
    EXPECT_EQ(TestHook::ends(), std::vector<int>{1});
    TestHook::disable();
    int answer = 0;
    EXPECT_FALSE(TestHook::answerMsgBox(0, QString(), QString(), vbOK, answer));
    QString path;
    EXPECT_FALSE(TestHook::answerDialog({}, path));
    EXPECT_FALSE(TestHook::active());
    EXPECT_TRUE(TestHook::ends().empty());
}

// Real boxes: the action runs on the box once it is open.
int showAndAct(const QString& text, int style, const QString& title,
               const std::function<void(QMessageBox*)>& act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(box);
    });
    return MsgBox(text, style, title);
}

QStringList buttonTexts(QMessageBox* box) {
    QStringList texts;
    for (QAbstractButton* button : box->buttons()) {
        texts << button->text();
    }
    return texts;
}

QAbstractButton* buttonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

TEST(MsgBoxWindow, ShowsJapaneseButtonsTitleIconAndDefault) {
    QStringList texts;
    QString title;
    QString defaultText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString shownText;
    const int answer =
        showAndAct(QStringLiteral("一行目\r\n二行目"),
                   vbYesNoCancel + vbQuestion + vbDefaultButton2, QString(), [&](QMessageBox* box) {
                       texts = buttonTexts(box);
                       title = box->windowTitle();
                       defaultText = box->defaultButton()->text();
                       icon = box->icon();
                       shownText = box->text();
                       box->defaultButton()->click();
                   });
    EXPECT_EQ(answer, vbNo);
    EXPECT_EQ(texts, (QStringList{QStringLiteral("はい"), QStringLiteral("いいえ"),
                                  QStringLiteral("キャンセル")}));
    EXPECT_EQ(title, QStringLiteral("モルビク"));
    EXPECT_EQ(defaultText, QStringLiteral("いいえ"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(shownText, QStringLiteral("一行目\n二行目"));

    showAndAct(QStringLiteral("?"), vbAbortRetryIgnore + vbCritical, QStringLiteral("Error"),
               [&](QMessageBox* box) {
                   texts = buttonTexts(box);
                   icon = box->icon();
                   box->buttons().first()->click();
               });
    EXPECT_EQ(texts, (QStringList{QStringLiteral("中止"), QStringLiteral("再試行"),
                                  QStringLiteral("無視")}));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(MsgBoxWindow, ClosingByTheFrameAnswersCancelOrOkAndIsRefusedOtherwise) {
    const struct {
        int style;
        int answer;
    } closable[] = {
        {vbOKOnly + vbExclamation, vbOK},
        {vbOKCancel, vbCancel},
        {vbYesNoCancel, vbCancel},
        {vbRetryCancel, vbCancel},
    };
    for (const auto& c : closable) {
        EXPECT_EQ(showAndAct(QStringLiteral("?"), c.style, QString(),
                             [](QMessageBox* box) { box->close(); }),
                  c.answer)
            << "style " << c.style;
    }
    EXPECT_EQ(showAndAct(QStringLiteral("?"), vbOKCancel, QString(),
                         [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }),
              vbCancel);

    const struct {
        int style;
        QString button;
        int answer;
    } unclosable[] = {
        {vbYesNo, QStringLiteral("いいえ"), vbNo},
        {vbAbortRetryIgnore, QStringLiteral("再試行"), vbRetry},
    };
    for (const auto& c : unclosable) {
        bool stayedOpen = false;
        const int answer =
            showAndAct(QStringLiteral("?"), c.style, QString(), [&](QMessageBox* box) {
                box->close();
                QTest::keyClick(box, Qt::Key_Escape);
                stayedOpen = box->isVisible();
                buttonNamed(box, c.button)->click();
            });
        EXPECT_TRUE(stayedOpen) << "style " << c.style;
        EXPECT_EQ(answer, c.answer) << "style " << c.style;
    }
}

}  // namespace
}  // namespace forms
