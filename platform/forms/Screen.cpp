#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "Twips.h"

namespace forms::Screen {

double Width() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 0 : toTwips(screen->geometry().width());
}

double Height() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 0 : toTwips(screen->geometry().height());
}

}  // namespace forms::Screen
