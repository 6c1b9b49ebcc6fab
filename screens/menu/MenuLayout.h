#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <vector>

// The three pages of the main menu: caption, title picture and the picture of each
// button, in the order the buttons are assigned.
namespace MenuLayout {

enum MenuNumbers : int16_t { MainMenu = 0, MaintenanceMenu = 1, SupportMenu = 2 };

// A button's picture: the set (0 or 1) plus the base; -1 hides the button.
struct Assignment {
    int16_t index;
    int32_t pictureId;
};

struct Page {
    QString title;
    int32_t titleImage = -1;
    std::vector<Assignment> buttons;
};

// The management-support variant: the third character of the trimmed system code ("O"
// none, "R" rankings, "L" low-stock list, "A" both); a null character when the code is
// shorter.
QChar SupportVariant(const QString& systemId);

// The page of menu number menuNo for picture set theme and the variant; false for a
// number other than 0, 1 and 2. A support page of an unknown variant hides buttons 0
// and 1.
bool PageOf(int16_t menuNo, uint8_t theme, QChar variant, Page& page);

}  // namespace MenuLayout
