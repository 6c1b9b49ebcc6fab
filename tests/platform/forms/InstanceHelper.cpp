// A small program for the tests of the single-instance channel. Modes:
//   first <title> [modal]  take the channel, show a minimized window (or a window and
//                          a modal dialog over it), and wait until another copy asks
//                          to come to the front; prints "activated:<caption>", exit 0
//   second <title>         find the running copy and ask it to come to the front;
//                          prints "activated" (exit 0) or "alone" (exit 2)
//   crash <title>          take the channel and die without cleaning up (exit 3)
//   last-form              show a form under App::Run and unload it; the program ends
#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdlib>

#include "platform/forms/App.h"
#include "platform/forms/Form.h"

namespace {

constexpr int kGiveUpMs = 15000;

void say(const QString& text) {
    QTextStream(stdout) << text << Qt::endl;
}

forms::Form* newForm(const QString& caption) {
    auto* form = new forms::Form;
    form->SetCaption(caption);
    form->resize(200, 100);
    return form;
}

// Waits until the window is restored and active again, then reports it.
void reportActivation(QWidget* window) {
    auto* poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [window] {
        if (!window->isMinimized() && QApplication::activeWindow() == window) {
            say(QStringLiteral("activated:") + window->windowTitle());
            forms::App::End(0);
        }
    });
    poll->start(20);
    QTimer::singleShot(kGiveUpMs, [] { forms::App::End(1); });
}

int runFirst(bool withModalDialog) {
    if (forms::App::PrevInstance()) {
        say(QStringLiteral("already running"));
        return 1;
    }
    forms::Form* main = newForm(QStringLiteral("Main"));
    main->Show();
    if (!withModalDialog) {
        main->showMinimized();
        reportActivation(main);
        say(QStringLiteral("listening"));
        return forms::App::Run();
    }
    QTimer::singleShot(0, [main] {
        forms::Form* dialog = newForm(QStringLiteral("Dialog"));
        QTimer::singleShot(0, [main, dialog] {
            dialog->showMinimized();
            main->activateWindow();
            reportActivation(dialog);
            say(QStringLiteral("listening"));
        });
        dialog->Show(forms::vbModal, main);
    });
    return forms::App::Run();
}

int runSecond() {
    if (!forms::App::PrevInstance()) {
        say(QStringLiteral("alone"));
        forms::App::End(2);
    }
    const bool answered = forms::App::ActivatePrevInstance();
    say(answered ? QStringLiteral("activated") : QStringLiteral("no answer"));
    forms::App::End(answered ? 0 : 4);
    return 4;
}

int runCrash() {
    if (forms::App::PrevInstance()) {
        return 1;
    }
    say(QStringLiteral("listening"));
    std::_Exit(3);
}

int runLastForm() {
    forms::Form* form = newForm(QStringLiteral("Last"));
    form->Show();
    QTimer::singleShot(0, form, [form] { form->Unload(); });
    QTimer::singleShot(kGiveUpMs, [] { std::_Exit(1); });
    return forms::App::Run() == 0 ? 5 : 6;  // reached only when the end did not come
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    if (args.size() > 2) {
        forms::App::SetTitle(args.at(2));
    }
    if (mode == QStringLiteral("first")) {
        return runFirst(args.value(3) == QStringLiteral("modal"));
    }
    if (mode == QStringLiteral("second")) {
        return runSecond();
    }
    if (mode == QStringLiteral("crash")) {
        return runCrash();
    }
    if (mode == QStringLiteral("last-form")) {
        return runLastForm();
    }
    return 64;
}
