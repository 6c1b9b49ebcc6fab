#include "MenuWindow.h"

MenuWindow::MenuWindow(std::function<void()> closedByFrame)
    : closedByFrame_(std::move(closedByFrame)) {}

void MenuWindow::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        closedByFrame_();
    }
}
