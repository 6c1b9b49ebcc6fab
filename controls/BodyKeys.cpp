#include "BodyKeys.h"

#include <QClipboard>
#include <QGuiApplication>
#include <optional>
#include <utility>

#include "CellInput.h"
#include "platform/forms/KeyCodes.h"

bool BodyKeys::editable() const {
    return current_.Valid && current_.Flags[FlagEditable];
}

void BodyKeys::bodyKeyDown(int keyCode, int shift) {
    keyShift_ = shift;
    if (moveByKey(keyCode) || !editable()) {
        return;
    }
    if (keyCode == forms::vbKeyDelete) {
        setCurrentText(QString());
        selectCurrentCell();
    } else if (keyCode == forms::vbKeyF2) {
        selectCurrentCell();
        editCurrentCell();
        if (editor_ && editor_->isVisible()) {
            editor_->end(false);
        }
    } else if (shift == forms::vbCtrlMask && keyCode == forms::vbKeyC) {
        copyCell();
    } else if (shift == forms::vbCtrlMask && keyCode == forms::vbKeyV) {
        pasteCell();
    }
}

bool BodyKeys::bodyKeyPress(int keyAscii) {
    const int shift = std::exchange(keyShift_, 0);
    if ((shift & (forms::vbCtrlMask | forms::vbAltMask)) != 0 || !editable() || !editor_ ||
        (keyAscii < 32 && keyAscii != forms::vbKeyBack)) {
        return false;
    }
    const char32_t code = static_cast<char32_t>(keyAscii);
    const QString text = keyAscii == forms::vbKeyBack ? QString() : QString::fromUcs4(&code, 1);
    if (editor_->isVisible()) {
        if (text.isEmpty()) {
            editor_->clear();
        } else {
            editor_->setFocus(Qt::OtherFocusReason);
            editor_->insert(text);
        }
        return true;
    }
    startTyping(text);
    return true;
}

void BodyKeys::startTyping(const QString& text) {
    if (!editable() || !editor_) {
        return;
    }
    const std::optional<QString> typed =
        CellInput::Typed(text, current_.EditMode, current_.EditMaxLength);
    if (!typed) {
        return;
    }
    setCurrentText(QString());
    selectCurrentCell();
    editCurrentCell();
    if (!typed->isEmpty() && editor_->isVisible()) {
        editor_->insert(*typed);
    }
}

void BodyKeys::copyCell() const {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setText(currentText());
    }
}

void BodyKeys::pasteCell() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return;
    }
    const std::optional<QString> text =
        CellInput::Pasted(clipboard->text(), current_.EditMode, current_.EditMaxLength);
    if (text) {
        setCurrentText(*text);
        selectCurrentCell();
    }
}
