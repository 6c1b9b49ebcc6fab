#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Twips.h"

namespace XX共通関数 {

void CenterForm(forms::Form& form) {
    form.Move((forms::Screen::Width() - form.Width()) / 2,
              (forms::Screen::Height() - form.Height()) / 2);
}

void CenterWindow(QWidget* window, int32_t width, int32_t height) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (window == nullptr || screen == nullptr) {
        return;
    }
    const QRect desktop = screen->geometry();
    const QRect frame = window->frameGeometry();
    const int outerWidth = width > 0 ? width : frame.width();
    const int outerHeight = height > 0 ? height : frame.height();
    // std::nearbyint rounds halves to the even neighbour.
    const int x = static_cast<int>(std::nearbyint((desktop.width() - outerWidth) / 2.0));
    const int y = static_cast<int>(std::nearbyint((desktop.height() - outerHeight) / 2.0));
    window->resize(std::max(1, outerWidth - (frame.width() - window->width())),
                   std::max(1, outerHeight - (frame.height() - window->height())));
    window->move(desktop.x() + x, desktop.y() + y);
}

void ActivateWindow(QWidget* window) {
    forms::App::ActivateWindow(window);
}

void SetFormClientSize(forms::Form& form, int width, int height) {
    form.SetWidth(forms::toTwips(width));
    form.SetHeight(forms::toTwips(height));
}

int32_t GetCaptionHeightTwips() {
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr) {
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible()) {
                window = shown;
                break;
            }
        }
    }
    if (window == nullptr) {
        return 0;
    }
    return static_cast<int32_t>(
        forms::toTwips(window->geometry().top() - window->frameGeometry().top()));
}

bool CheckSingleInstance() {
    if (!forms::App::PrevInstance()) {
        return false;
    }
    forms::App::ActivatePrevInstance();
    forms::App::End(0);
    return true;
}

}  // namespace XX共通関数
