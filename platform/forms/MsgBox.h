#pragma once

#include <QString>

namespace forms {

enum VbMsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbDefaultButton4 = 768,
};

enum VbMsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// A modal message box with the runtime's style codes (buttons + icon + default button)
// and return values. Button texts are Japanese. An empty title shows the application
// title. Closing the box by its frame or Esc answers Cancel where the box has a Cancel
// button, OK for an OK-only box, and is refused otherwise. In test mode (TestHook) no
// window opens: the script answers (or the default button) and the box is recorded.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

}  // namespace forms
