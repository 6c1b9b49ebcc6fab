#include "Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

#include "App.h"
#include "Twips.h"

namespace forms {

Form::Form() : Surface(nullptr) {
    // The program ends where it says so (App::End), not when its last window hides.
    QApplication::setQuitOnLastWindowClosed(false);
}

Form::~Form() {
    if (modalLoop_ != nullptr) {
        modalLoop_->quit();
    }
    App::formDestroyed(this);
}

void Form::Load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    App::formLoaded(this);
    Form_Load();
}

void Form::Show(int modal, QWidget* owner) {
    Load();
    if (!loaded_) {
        return;  // Form_Load unloaded it
    }
    if (owner != nullptr) {
        winId();
        owner->window()->winId();
        windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    if (modal != vbModal || modalLoop_ != nullptr) {
        show();
        raise();
        activateWindow();
        return;
    }
    if (isVisible()) {
        hide();  // the modality of a window changes only while it is hidden
    }
    setWindowModality(Qt::ApplicationModal);
    QPointer<Form> self(this);
    QEventLoop loop;
    modalLoop_ = &loop;
    App::modalEntered();
    show();
    raise();
    activateWindow();
    if (isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    App::modalLeft();
    if (self) {
        modalLoop_ = nullptr;
        if (isHidden()) {
            setWindowModality(Qt::NonModal);
        }
    }
}

bool Form::Unload() {
    return unload(vbFormCode);
}

bool Form::unload(int unloadMode) {
    if (!loaded_ || unloading_) {
        return true;
    }
    int cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (!loaded_) {
        return true;  // the handler unloaded the form itself
    }
    if (cancel != 0) {
        return false;
    }
    unloading_ = true;
    Form_Unload(cancel);
    unloading_ = false;
    if (cancel != 0) {
        return false;
    }
    loaded_ = false;
    hide();
    App::formUnloaded(this);
    if (deleteOnUnload_) {
        deleteLater();
    }
    return true;
}

double Form::Left() const {
    return toTwips(x());
}

void Form::SetLeft(double left) {
    move(toPixels(left), y());
}

double Form::Top() const {
    return toTwips(y());
}

void Form::SetTop(double top) {
    move(x(), toPixels(top));
}

double Form::Width() const {
    return toTwips(frameGeometry().width());
}

void Form::SetWidth(double width) {
    outerSize_.setWidth(toPixels(width));
    fitOuterSize(true);
}

double Form::Height() const {
    return toTwips(frameGeometry().height());
}

void Form::SetHeight(double height) {
    outerSize_.setHeight(toPixels(height));
    fitOuterSize(true);
}

void Form::Move(double left, double top) {
    move(toPixels(left), toPixels(top));
}

void Form::Move(double left, double top, double width, double height) {
    SetWidth(width);
    SetHeight(height);
    Move(left, top);
}

void Form::BeginWork() {
    if (workDepth_++ > 0) {
        return;
    }
    // Disabling takes the focus away, so the control that had it is kept first.
    focusBeforeWork_ = focusWidget();
    focusAfterWork_ = nullptr;
    SetEnabled(false);
}

void Form::EndWork() {
    if (workDepth_ == 0 || --workDepth_ > 0) {
        return;
    }
    SetEnabled(true);
    QWidget* const wanted[] = {focusAfterWork_.data(), focusBeforeWork_.data()};
    focusBeforeWork_ = nullptr;
    focusAfterWork_ = nullptr;
    if (!isVisible()) {
        return;
    }
    for (QWidget* control : wanted) {
        if (takesFocus(control)) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (focusWidget() == nullptr) {
        focusNextPrevChild(true);
    }
}

bool Form::FocusAfterWork(QWidget* control) {
    auto* form = control != nullptr ? dynamic_cast<Form*>(control->window()) : nullptr;
    if (form == nullptr || !form->AtWork()) {
        return false;
    }
    form->focusAfterWork_ = control;
    return true;
}

bool Form::takesFocus(const QWidget* control) const {
    return control != nullptr && control->window() == this && control->isVisible() &&
           control->isEnabled() && control->focusPolicy() != Qt::NoFocus;
}

// The frame is known only once the window is shown, and with some window managers
// later still: the outer size set is kept and the inside fitted to it when the frame
// first appears or changes (not while maximised or minimised). The form cannot be made
// smaller than it was set.
void Form::fitOuterSize(bool changed) {
    const QSize frame(frameExtraWidth(), frameExtraHeight());
    const bool sized = outerSize_.width() > 0 || outerSize_.height() > 0;
    if (!sized || (!changed && frame == fittedFrame_) ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
        return;
    }
    fittedFrame_ = frame;
    QSize inside = size();
    if (outerSize_.width() > 0) {
        inside.setWidth(std::max(1, outerSize_.width() - frame.width()));
    }
    if (outerSize_.height() > 0) {
        inside.setHeight(std::max(1, outerSize_.height() - frame.height()));
    }
    setMinimumSize(outerSize_.width() > 0 ? inside.width() : 0,
                   outerSize_.height() > 0 ? inside.height() : 0);
    resize(inside);
}

int Form::frameExtraWidth() const {
    return frameGeometry().width() - QWidget::width();
}

int Form::frameExtraHeight() const {
    return frameGeometry().height() - QWidget::height();
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Move ||
        event->type() == QEvent::WindowActivate) {
        fitOuterSize(false);
    }
    if (event->type() == QEvent::WindowActivate && App::formActivated(this)) {
        Form_Activate();
    }
    return Surface::event(event);
}

void Form::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button != nullptr && button->isEnabled() && button->isVisible() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        button->click();
        return;
    }
    Surface::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    // A disabled window cannot be closed, as its frame takes no input.
    if (!isEnabled()) {
        return;
    }
    if (!loaded_) {
        hide();
        return;
    }
    unload(vbFormControlMenu);
}

void Form::hideEvent(QHideEvent* event) {
    Surface::hideEvent(event);
    if (modalLoop_ != nullptr && !event->spontaneous()) {
        modalLoop_->quit();
    }
}

}  // namespace forms
