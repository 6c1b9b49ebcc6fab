#pragma once

#include <QColor>

namespace forms {

// Colours are the runtime's numbers: &HBBGGRR, or &H800000nn for system colour nn.
inline constexpr long RGB(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

inline constexpr long vbBlack = 0x000000;
inline constexpr long vbWhite = 0xFFFFFF;
inline constexpr long vbButtonFace = 0x8000000F;
inline constexpr long vbButtonText = 0x80000012;

// The one conversion between the runtime's colour numbers and Qt colours. A value
// given as a negative 32-bit number (&H8000000F read as a Long) means the same.
QColor colorFromVb(long vbColor);
long vbFromColor(const QColor& color);

}  // namespace forms
