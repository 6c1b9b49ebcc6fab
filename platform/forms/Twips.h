#pragma once

#include <cmath>

class QWidget;

namespace forms {

// Screen measures are twips: 15 to a pixel.
inline constexpr int TwipsPerPixel = 15;

inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double toTwips(int pixels) {
    return static_cast<double>(pixels) * TwipsPerPixel;
}

// Places a child widget in its parent, all in twips (as a control's Move does).
void placeTwips(QWidget* widget, double left, double top, double width, double height);

}  // namespace forms
