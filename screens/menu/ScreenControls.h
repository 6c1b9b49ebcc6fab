#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The standard controls the screens place on their forms, with the common look.
namespace ScreenControls {

// A command button with the screens' button colour.
QPushButton* NewButton(QWidget* parent, const QString& caption);
// A label placed in twips; a point size above 0 sets its font to "MS UI Gothic" of
// that size.
QLabel* NewLabel(QWidget* parent, const QString& text, double left, double top, double width,
                 double height, double pointSize = 0);
// A button of a row of tabs made of buttons: the chosen one stands out larger in the
// button colour, the others are smaller and light blue.
void SetTabLook(QPushButton* button, double left, double top, bool chosen);

}  // namespace ScreenControls
