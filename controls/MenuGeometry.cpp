#include "MenuGeometry.h"

int32_t MenuGeometry::FrameId(int index, int state) {
    switch (state) {
        case Hover:
            return 15;
        case Pressed:
            return 16;
        default:
            return index == ButtonCount - 1 ? 14 : 10 + index % 4;
    }
}

bool MenuGeometry::Hits(int index, double x, double y) {
    const double left = ButtonLeft(index);
    const double top = ButtonTop(index);
    return x >= left && x <= left + BoxWidth && y >= top && y <= top + BoxHeight;
}

MenuGeometry::Rect MenuGeometry::TitleRect(double height, double width) {
    return Rect{120 + (750 - height) / 2, 420 + (5880 - width) / 2, height, width};
}
