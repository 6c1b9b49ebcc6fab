#include "KeyCodes.h"

#include <QKeyEvent>

namespace forms {

namespace {

int keypadCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return vbKeyNumpad0 + (key - Qt::Key_0);
    }
    switch (key) {
        case Qt::Key_Asterisk:
            return vbKeyMultiply;
        case Qt::Key_Plus:
            return vbKeyAdd;
        case Qt::Key_Minus:
            return vbKeySubtract;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return vbKeyDecimal;
        case Qt::Key_Slash:
            return vbKeyDivide;
        default:
            return 0;
    }
}

// Punctuation keys, with their shifted signs, as the US layout names them.
int punctuationCode(int key) {
    switch (key) {
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 0xBA;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 0xBB;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 0xBC;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 0xBD;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 0xBE;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 0xBF;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 0xC0;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 0xDB;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 0xDC;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 0xDD;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 0xDE;
        default:
            return 0;
    }
}

// Shifted digits give the digit key.
int shiftedDigitCode(int key) {
    switch (key) {
        case Qt::Key_Exclam:
            return vbKey0 + 1;
        case Qt::Key_At:
            return vbKey0 + 2;
        case Qt::Key_NumberSign:
            return vbKey0 + 3;
        case Qt::Key_Dollar:
            return vbKey0 + 4;
        case Qt::Key_Percent:
            return vbKey0 + 5;
        case Qt::Key_AsciiCircum:
            return vbKey0 + 6;
        case Qt::Key_Ampersand:
            return vbKey0 + 7;
        case Qt::Key_ParenLeft:
            return vbKey0 + 9;
        case Qt::Key_ParenRight:
            return vbKey0;
        default:
            return 0;
    }
}

int namedKeyCode(int key) {
    switch (key) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vbKeyTab;
        case Qt::Key_Clear:
            return vbKeyClear;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Shift:
            return vbKeyShift;
        case Qt::Key_Control:
            return vbKeyControl;
        case Qt::Key_Alt:
            return vbKeyMenu;
        case Qt::Key_Pause:
            return vbKeyPause;
        case Qt::Key_CapsLock:
            return vbKeyCapital;
        case Qt::Key_Kanji:
            return vbKeyKanji;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Henkan:
            return vbKeyConvert;
        case Qt::Key_Muhenkan:
            return vbKeyNonconvert;
        case Qt::Key_Space:
            return vbKeySpace;
        case Qt::Key_PageUp:
            return vbKeyPageUp;
        case Qt::Key_PageDown:
            return vbKeyPageDown;
        case Qt::Key_End:
            return vbKeyEnd;
        case Qt::Key_Home:
            return vbKeyHome;
        case Qt::Key_Left:
            return vbKeyLeft;
        case Qt::Key_Up:
            return vbKeyUp;
        case Qt::Key_Right:
            return vbKeyRight;
        case Qt::Key_Down:
            return vbKeyDown;
        case Qt::Key_Select:
            return vbKeySelect;
        case Qt::Key_Printer:
            return vbKeyPrint;
        case Qt::Key_Execute:
            return vbKeyExecute;
        case Qt::Key_Print:
        case Qt::Key_SysReq:
            return vbKeySnapshot;
        case Qt::Key_Insert:
            return vbKeyInsert;
        case Qt::Key_Delete:
            return vbKeyDelete;
        case Qt::Key_Help:
            return vbKeyHelp;
        case Qt::Key_Meta:
            return 0x5B;
        case Qt::Key_Menu:
            return 0x5D;
        case Qt::Key_NumLock:
            return vbKeyNumlock;
        case Qt::Key_ScrollLock:
            return vbKeyScrollLock;
        default:
            return 0;
    }
}

}  // namespace

int vbKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if ((event.modifiers() & Qt::KeypadModifier) != 0) {
        if (const int code = keypadCode(key); code != 0) {
            return code;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;  // the same numbers as the virtual keys
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return vbKeyF1 + (key - Qt::Key_F1);
    }
    if (const int code = namedKeyCode(key); code != 0) {
        return code;
    }
    if (const int code = shiftedDigitCode(key); code != 0) {
        return code;
    }
    return punctuationCode(key);
}

int vbKeyAscii(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & Qt::ControlModifier) != 0 && (modifiers & Qt::AltModifier) == 0 &&
        key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    const QString text = event.text();
    if (!text.isEmpty()) {
        const char32_t code = text.toUcs4().value(0);
        // Delete types a DEL character on some systems; it is no KeyPress.
        return code == 0x7F ? 0 : static_cast<int>(code);
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Tab:
            return vbKeyTab;
        default:
            return 0;
    }
}

int vbShiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if ((modifiers & Qt::ShiftModifier) != 0) {
        shift |= vbShiftMask;
    }
    if ((modifiers & Qt::ControlModifier) != 0) {
        shift |= vbCtrlMask;
    }
    if ((modifiers & Qt::AltModifier) != 0) {
        shift |= vbAltMask;
    }
    return shift;
}

int vbButtons(Qt::MouseButtons buttons) {
    int result = 0;
    if ((buttons & Qt::LeftButton) != 0) {
        result |= vbLeftButton;
    }
    if ((buttons & Qt::RightButton) != 0) {
        result |= vbRightButton;
    }
    if ((buttons & Qt::MiddleButton) != 0) {
        result |= vbMiddleButton;
    }
    return result;
}

}  // namespace forms
