#pragma once

#include <Qt>

class QKeyEvent;

namespace forms {

// Key codes of KeyDown and KeyUp are the Windows virtual-key numbers.
enum VbKey : int {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyClear = 12,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyMenu = 18,
    vbKeyPause = 19,
    vbKeyCapital = 20,
    vbKeyKanji = 25,
    vbKeyEscape = 27,
    vbKeyConvert = 28,
    vbKeyNonconvert = 29,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeySelect = 41,
    vbKeyPrint = 42,
    vbKeyExecute = 43,
    vbKeySnapshot = 44,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    vbKeyHelp = 47,
    vbKey0 = 48,  // to vbKey9 = 57
    vbKeyA = 65,  // to vbKeyZ = 90
    vbKeyC = 67,
    vbKeyV = 86,
    vbKeyNumpad0 = 96,  // to vbKeyNumpad9 = 105
    vbKeyMultiply = 106,
    vbKeyAdd = 107,
    vbKeySubtract = 109,
    vbKeyDecimal = 110,
    vbKeyDivide = 111,
    vbKeyF1 = 112,  // to vbKeyF24 = 135
    vbKeyF2 = 113,
    vbKeyNumlock = 144,
    vbKeyScrollLock = 145,
};

// Shift argument of key and mouse events.
enum VbShift : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// Button argument of mouse events.
enum VbButton : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

// The virtual-key number of a key event; 0 for a key that has none.
int vbKeyCode(const QKeyEvent& event);
// The KeyPress character of a key event (Enter 13, Backspace 8, Ctrl+letter 1 to 26,
// otherwise the typed character's code); 0 when the key types nothing.
int vbKeyAscii(const QKeyEvent& event);
int vbShiftState(Qt::KeyboardModifiers modifiers);
int vbButtons(Qt::MouseButtons buttons);

}  // namespace forms
