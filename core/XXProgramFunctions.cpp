#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QWidget>

#include "HelpWindow.h"
#include "XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Twips.h"

namespace XX共通関数 {

namespace {

QPointer<HelpWindow>& helpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

QWidget* openWindowTitled(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == title) {
            return window;
        }
    }
    return nullptr;
}

shell::ProcessId startCommand(const QString& commandLine) {
    const QStringList words = QProcess::splitCommand(commandLine);
    return words.isEmpty() ? 0 : shell::startProgram(words.first(), words.mid(1));
}

}  // namespace

shell::ProcessId LaunchProgram(const QString& commandLine) {
    QString program = commandLine;
    QString parameters;
    QString folder;
    for (qsizetype blank = commandLine.indexOf(' '); blank >= 1;
         blank = commandLine.indexOf(' ', blank + 1)) {
        if (FindExecutablePath(commandLine.left(blank), folder)) {
            program = commandLine.left(blank);
            parameters = commandLine.mid(blank + 1);
            break;
        }
    }
    const QString found = shell::findExecutablePath(program);
    if (!found.isEmpty()) {
        if (const shell::ProcessId started =
                shell::startProgram(found, QProcess::splitCommand(parameters))) {
            return started;
        }
    }
    return startCommand(commandLine);
}

bool FindExecutablePath(const QString& fileName, QString& folder) {
    const QString found = shell::findExecutablePath(fileName);
    if (found.isEmpty()) {
        folder.clear();
        return false;
    }
    folder = found.endsWith(fileName) ? found.chopped(fileName.size())
                                      : QFileInfo(found).path() + QStringLiteral("/");
    return true;
}

void OpenHelpFile(const QString& fileName, const QString& title, int32_t left, int32_t top,
                  int32_t width, int32_t height) {
    if (QWidget* open = openWindowTitled(title)) {
        ActivateWindow(open);
        return;
    }
    const QString path = GetAppPath() + fileName;
    if (!QFileInfo(path).isFile()) {
        forms::MsgBox(QStringLiteral("ヘルプファイルが見つかりません。\r\n") + path,
                      forms::vbExclamation, forms::App::Title());
        return;
    }
    auto* window = new HelpWindow(path, title);
    window->resize(width < 1 ? forms::toPixels(forms::Screen::Width()) : width,
                   height < 1 ? forms::toPixels(forms::Screen::Height()) : height);
    window->move(left, top);
    window->show();
    ActivateWindow(window);
    helpWindow() = window;
}

void CloseHelpFile() {
    if (HelpWindow* window = helpWindow()) {
        window->close();
    }
}

HelpWindow* HelpProcess() {
    return helpWindow();
}

}  // namespace XX共通関数
