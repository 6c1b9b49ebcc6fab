#pragma once

#include <QColor>

// The colours shared by the pictures.
namespace Palette {

inline const QColor Navy(0x1F3B5A);
inline const QColor Blue(0x2E6DA4);
inline const QColor PaleBlue(0xD6E6F5);
inline const QColor Accent(0xE67E22);
inline const QColor Ink(0x2C3E50);
inline const QColor Grey(0x7F8C8D);
inline const QColor Rule(0xC8D1DB);
inline const QColor Slate(0x5D6D7E);
inline const QColor Shadow(0xD3D9E0);
inline const QColor Hover(0xF39C12);
inline const QColor HoverFace(0xFFF6E5);
inline const QColor PressedFace(0xE6ECF4);
inline const QColor PressedEdge(0xBAC6D4);

// A very light tint of a colour for a button face: the button's pictures are drawn
// over it with AND, so it must stay close to white.
inline QColor Tint(const QColor& colour) {
    const auto mix = [](int channel) { return 255 - (255 - channel) * 8 / 100; };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

}  // namespace Palette
