#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "App.h"
#include "TestHook.h"

namespace forms {

namespace {

std::vector<int> answersOf(int style) {
    switch (style & 0x0F) {
        case vbOKCancel:
            return {vbOK, vbCancel};
        case vbAbortRetryIgnore:
            return {vbAbort, vbRetry, vbIgnore};
        case vbYesNoCancel:
            return {vbYes, vbNo, vbCancel};
        case vbYesNo:
            return {vbYes, vbNo};
        case vbRetryCancel:
            return {vbRetry, vbCancel};
        default:
            return {vbOK};
    }
}

QString buttonText(int answer) {
    switch (answer) {
        case vbCancel:
            return QStringLiteral("キャンセル");
        case vbAbort:
            return QStringLiteral("中止");
        case vbRetry:
            return QStringLiteral("再試行");
        case vbIgnore:
            return QStringLiteral("無視");
        case vbYes:
            return QStringLiteral("はい");
        case vbNo:
            return QStringLiteral("いいえ");
        default:
            return QStringLiteral("OK");
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// The default button's index; one beyond the buttons falls back to the first.
std::size_t defaultIndex(int style, std::size_t buttons) {
    const auto index = static_cast<std::size_t>((style >> 8) & 0x03);
    return index < buttons ? index : 0;
}

}  // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
    const QString shownTitle = title.isEmpty() ? App::Title() : title;
    const std::vector<int> answers = answersOf(style);
    const int defaultAnswer = answers[defaultIndex(style, answers.size())];
    int answer = defaultAnswer;
    if (TestHook::answerMsgBox(style, shownTitle, prompt, defaultAnswer, answer)) {
        return answer;
    }

    QApplication::setQuitOnLastWindowClosed(false);
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(style), shownTitle, text);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    QPushButton* escape = nullptr;
    for (const int value : answers) {
        // One role for all keeps the buttons in the order of the style.
        QPushButton* button = box.addButton(buttonText(value), QMessageBox::ActionRole);
        buttons.push_back(button);
        if (value == vbCancel || answers.size() == 1) {
            escape = button;
        }
    }
    box.setDefaultButton(buttons[defaultIndex(style, buttons.size())]);
    // Without an escape button the box refuses Esc and its frame's close.
    box.setEscapeButton(escape);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            answer = answers[i];
        }
    }
    return answer;
}

}  // namespace forms
