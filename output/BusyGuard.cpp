#include "BusyGuard.h"

#include "platform/forms/Surface.h"

BusyGuard::BusyGuard(forms::Surface& form)
    : form_(form), busy_(form.MousePointer() == forms::vbHourglass) {
    if (!busy_) {
        form_.SetMousePointer(forms::vbHourglass);
    }
}

BusyGuard::~BusyGuard() {
    if (!busy_) {
        form_.SetMousePointer(forms::vbDefault);
    }
}
