#pragma once

#include <QString>
#include <span>

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
// A tab of a row of tabs made of buttons: its caption and where it stands resting and
// chosen.
struct TabLook {
    const char* caption;
    double restingLeft;
    double chosenLeft;
};
// A tab button (9-point "MS UI Gothic") resting on the row at top.
QPushButton* NewTabButton(QWidget* parent, const TabLook& look, double top);
// Shows the tab chosen larger, in the button colour and in front, the others smaller and
// light blue; chosen -1 rests them all.
void ChooseTab(std::span<QPushButton* const> buttons, std::span<const TabLook> looks, int chosen,
               double top);

}  // namespace ScreenControls
