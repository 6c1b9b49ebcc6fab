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

namespace {

void SetTabLook(QPushButton* button, double left, double top, bool chosen) {
    button->setStyleSheet(chosen ? QStringLiteral("background-color: #C0C0FF;")
                                 : QStringLiteral("background-color: #C0FFFF;"));
    forms::placeTwips(button, left, top, chosen ? 1850 : 1695, chosen ? 500 : 435);
}

}  // namespace

QPushButton* NewTabButton(QWidget* parent, const TabLook& look, double top) {
    auto* button = new QPushButton(QString::fromUtf8(look.caption), parent);
    button->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), 9));
    SetTabLook(button, look.restingLeft, top, false);
    return button;
}

void ChooseTab(std::span<QPushButton* const> buttons, std::span<const TabLook> looks, int chosen,
               double top) {
    for (std::size_t tab = 0; tab < buttons.size() && tab < looks.size(); ++tab) {
        const bool isChosen = static_cast<int>(tab) == chosen;
        SetTabLook(buttons[tab], isChosen ? looks[tab].chosenLeft : looks[tab].restingLeft, top,
                   isChosen);
        if (isChosen) {
            buttons[tab]->raise();
        }
    }
}

}  // namespace ScreenControls
