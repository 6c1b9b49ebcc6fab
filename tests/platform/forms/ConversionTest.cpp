#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

#include "platform/forms/KeyCodes.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"

namespace forms {
namespace {

TEST(Twips, FifteenToAPixelRoundedToTheNearest) {
    EXPECT_EQ(toPixels(12000), 800);
    EXPECT_EQ(toPixels(1575), 105);
    EXPECT_EQ(toPixels(7), 0);
    EXPECT_EQ(toPixels(8), 1);
    EXPECT_EQ(toPixels(-30), -2);
    EXPECT_DOUBLE_EQ(toTwips(600), 9000);

    QWidget parent;
    QWidget child(&parent);
    placeTwips(&child, 420, 1395, 10815, 6030);
    EXPECT_EQ(child.geometry(), QRect(28, 93, 721, 402));
}

TEST(VbColor, RuntimeNumbersAreBlueGreenRed) {
    EXPECT_EQ(colorFromVb(0xD2BDB6), QColor(182, 189, 210));
    EXPECT_EQ(colorFromVb(0xE0E0E0), QColor(224, 224, 224));
    EXPECT_EQ(colorFromVb(RGB(254, 184, 184)), QColor(254, 184, 184));
    EXPECT_EQ(RGB(182, 189, 210), 0xD2BDB6);
    EXPECT_EQ(vbFromColor(QColor(102, 153, 255)), 0xFF9966);
}

TEST(VbColor, SystemColoursComeFromThePaletteAlsoAsNegativeLongs) {
    const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
    EXPECT_EQ(colorFromVb(vbButtonFace), face);
    EXPECT_EQ(colorFromVb(static_cast<long>(static_cast<int32_t>(0x8000000F))), face);
    EXPECT_EQ(colorFromVb(vbButtonText),
              QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
}

TEST(KeyCodes, QtKeysBecomeVirtualKeyNumbers) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 13},   {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Tab, Qt::NoModifier, 9},       {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_Left, Qt::NoModifier, 37},     {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_Right, Qt::NoModifier, 39},    {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_PageUp, Qt::NoModifier, 33},   {Qt::Key_PageDown, Qt::NoModifier, 34},
        {Qt::Key_Delete, Qt::NoModifier, 46},   {Qt::Key_F2, Qt::NoModifier, 113},
        {Qt::Key_F12, Qt::NoModifier, 123},     {Qt::Key_Escape, Qt::NoModifier, 27},
        {Qt::Key_C, Qt::ControlModifier, 67},   {Qt::Key_7, Qt::NoModifier, 55},
        {Qt::Key_7, Qt::KeypadModifier, 103},   {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Period, Qt::NoModifier, 0xBE}, {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_Shift, Qt::ShiftModifier, 16}, {Qt::Key_Henkan, Qt::NoModifier, 28},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(vbKeyCode(event), c.code) << "Qt key " << c.key;
    }
}

TEST(KeyCodes, TypedCharactersAndShiftState) {
    EXPECT_EQ(vbKeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a")), 'a');
    EXPECT_EQ(vbKeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier)), 13);
    EXPECT_EQ(vbKeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "c")), 3);
    EXPECT_EQ(vbKeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f")), 0);
    EXPECT_EQ(vbKeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier)), 0);
    EXPECT_EQ(vbKeyAscii(QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("あ"))),
              0x3042);
    EXPECT_EQ(vbShiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(vbShiftState(Qt::ControlModifier), vbCtrlMask);
    EXPECT_EQ(vbButtons(Qt::LeftButton | Qt::RightButton), 3);
    EXPECT_EQ(vbButtons(Qt::MiddleButton), vbMiddleButton);
}

}  // namespace
}  // namespace forms
