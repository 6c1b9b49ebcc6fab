#include "App.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "Form.h"
#include "InstanceServer.h"
#include "TestHook.h"
#include "platform/runtime/AppPath.h"

namespace forms {

namespace {

struct AppState {
    QString title = QStringLiteral("モルビク");
    std::optional<bool> prevInstance;
    QString instanceKey;
    InstanceServer instanceServer;
    std::vector<Form*> loadedForms;
    QPointer<Form> lastActive;
    int modalDepth = 0;
    bool running = false;
};

AppState& state() {
    static AppState app;
    return app;
}

// Once the running event has returned: with no form loaded and no modal form
// pending, the program is over.
void endWhenNoFormIsLeft() {
    QTimer::singleShot(0, [] {
        const AppState& app = state();
        if (app.running && app.loadedForms.empty() && app.modalDepth == 0) {
            App::End(0);
        }
    });
}

QWidget* frontWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    const AppState& app = state();
    if (app.lastActive && app.lastActive->isVisible()) {
        return app.lastActive;
    }
    const auto visible = std::find_if(app.loadedForms.begin(), app.loadedForms.end(),
                                      [](const Form* form) { return form->isVisible(); });
    return visible == app.loadedForms.end() ? nullptr : *visible;
}

}  // namespace

QString App::Path() {
    return vb::AppPath();
}

QString App::Title() {
    return state().title;
}

void App::SetTitle(const QString& title) {
    state().title = title;
}

bool App::PrevInstance() {
    AppState& app = state();
    if (!app.prevInstance) {
        app.instanceKey = app.title;
        app.prevInstance = app.instanceServer.claim(app.instanceKey, [] { BringToFront(); });
    }
    return *app.prevInstance;
}

bool App::ActivatePrevInstance() {
    return PrevInstance() && InstanceServer::requestActivation(state().instanceKey);
}

void App::BringToFront() {
    if (QWidget* window = frontWindow()) {
        ActivateWindow(window);
    }
}

void App::ActivateWindow(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    QWidget* top = window->window();
    if (top->isMinimized()) {
        top->setWindowState((top->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    }
    if (top->isHidden()) {
        top->show();
    }
    top->raise();
    top->activateWindow();
}

int App::Run() {
    AppState& app = state();
    if (app.loadedForms.empty()) {
        return 0;
    }
    app.running = true;
    const int exitCode = QApplication::exec();
    app.running = false;
    return exitCode;
}

void App::End(int exitCode) {
    if (TestHook::recordEnd(exitCode)) {
        return;
    }
    state().instanceServer.close();
    std::fflush(nullptr);
    std::exit(exitCode);
}

void App::formLoaded(Form* form) {
    AppState& app = state();
    if (std::find(app.loadedForms.begin(), app.loadedForms.end(), form) == app.loadedForms.end()) {
        app.loadedForms.push_back(form);
    }
}

void App::formUnloaded(Form* form) {
    std::erase(state().loadedForms, form);
    endWhenNoFormIsLeft();
}

bool App::formActivated(Form* form) {
    AppState& app = state();
    if (app.lastActive == form) {
        return false;
    }
    app.lastActive = form;
    return true;
}

void App::formDestroyed(Form* form) {
    AppState& app = state();
    if (std::find(app.loadedForms.begin(), app.loadedForms.end(), form) != app.loadedForms.end()) {
        std::erase(app.loadedForms, form);
        endWhenNoFormIsLeft();
    }
}

void App::modalEntered() {
    ++state().modalDepth;
}

void App::modalLeft() {
    --state().modalDepth;
}

}  // namespace forms
