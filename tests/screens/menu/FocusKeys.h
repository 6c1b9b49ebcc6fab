#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <Qt>

class QWidget;

// The keyboard as a user has it: each key goes to the control that has the focus.
namespace FocusKeys {

// Shows the window and waits until it is the active one, so that its focus is real.
::testing::AssertionResult ShowActive(QWidget& window);
// Sends the key to the control with the focus (none: nothing is sent) and returns the
// control that has the focus afterwards, null when none has.
QWidget* Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A mouse click on the control at a point (its middle by default), which takes the focus
// as under a real mouse; returns the control that has the focus afterwards.
QWidget* Click(QWidget* control, QPoint at = QPoint());

}  // namespace FocusKeys
