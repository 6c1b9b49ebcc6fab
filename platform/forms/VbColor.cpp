#include "VbColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace forms {

namespace {

QPalette::ColorRole systemRole(int index) {
    switch (index) {
        case 0x02:  // active caption
        case 0x0D:  // highlight
            return QPalette::Highlight;
        case 0x05:  // window background
            return QPalette::Base;
        case 0x06:  // window frame
        case 0x15:  // 3D dark shadow
            return QPalette::Shadow;
        case 0x07:  // menu text
            return QPalette::WindowText;
        case 0x08:  // window text
            return QPalette::Text;
        case 0x09:  // caption text
        case 0x0E:  // highlight text
            return QPalette::HighlightedText;
        case 0x0F:  // button face
            return QPalette::Button;
        case 0x10:  // button shadow
            return QPalette::Dark;
        case 0x12:  // button text
            return QPalette::ButtonText;
        case 0x14:  // 3D highlight
            return QPalette::Light;
        case 0x16:  // 3D light
            return QPalette::Midlight;
        case 0x17:  // tool tip text
            return QPalette::ToolTipText;
        case 0x18:  // tool tip background
            return QPalette::ToolTipBase;
        default:
            return QPalette::Window;
    }
}

}  // namespace

QColor colorFromVb(long vbColor) {
    const unsigned long value = static_cast<unsigned long>(vbColor) & 0xFFFFFFFFUL;
    if ((value & 0x80000000UL) != 0) {
        return QGuiApplication::palette().color(QPalette::Active,
                                                systemRole(static_cast<int>(value & 0xFF)));
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

long vbFromColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

}  // namespace forms
