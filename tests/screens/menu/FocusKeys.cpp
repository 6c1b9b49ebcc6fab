#include "FocusKeys.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace FocusKeys {

::testing::AssertionResult ShowActive(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        return ::testing::AssertionFailure() << "the window did not become active";
    }
    return ::testing::AssertionSuccess();
}

QWidget* Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget* focused = QApplication::focusWidget()) {
        QTest::keyClick(focused, key, modifiers);
    }
    return QApplication::focusWidget();
}

QWidget* Click(QWidget* control, QPoint at) {
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                      at.isNull() ? control->rect().center() : at);
    return QApplication::focusWidget();
}

}  // namespace FocusKeys
