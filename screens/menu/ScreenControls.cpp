#include "ScreenControls.h"

#include <QLabel>
#include <QPushButton>

#include "platform/forms/Fonts.h"
#include "platform/forms/Twips.h"

namespace ScreenControls {

// The buttons' face colour &HFFC0C0 (blue, green, red).
QPushButton* NewButton(QWidget* parent, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setStyleSheet(QStringLiteral("background-color: #C0C0FF;"));
    return button;
}

QLabel* NewLabel(QWidget* parent, const QString& text, double left, double top, double width,
                 double height, double pointSize) {
    auto* label = new QLabel(text, parent);
    if (pointSize > 0) {
        label->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), pointSize));
    }
    forms::placeTwips(label, left, top, width, height);
    return label;
}

void SetTabLook(QPushButton* button, double left, double top, bool chosen) {
    button->setStyleSheet(chosen ? QStringLiteral("background-color: #C0C0FF;")
                                 : QStringLiteral("background-color: #C0FFFF;"));
    forms::placeTwips(button, left, top, chosen ? 1850 : 1695, chosen ? 500 : 435);
}

}  // namespace ScreenControls
