#include "EventHook.h"

EventHook::EventHook(QObject* watched, Handler handler)
    : watched_(watched), handler_(std::move(handler)) {
    watched_->installEventFilter(this);
}

bool EventHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watched_ && handler_(event)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}
