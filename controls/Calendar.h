#pragma once

#include <QImage>
#include <cstdint>
#include <memory>

#include "platform/runtime/Date.h"

class CalendarForm;

// The date picker as the screens use it: set Value, Show, and after OK read Value.
// Owns its dialog, which is created unloaded (Value starts as now) and unloaded and
// released with this object.
class Calendar {
  public:
    Calendar();
    ~Calendar();
    Calendar(const Calendar&) = delete;
    Calendar& operator=(const Calendar&) = delete;

    // Set before the dialog loads (before the pictures or Show): it reads the date once.
    void Value(const vb::Date& date);
    // The date shown last; the choice only after OK.
    vb::Date Value() const;
    // The pictures of the OK and Cancel buttons; the dialog is loaded first.
    void OKImage(const QImage& picture);
    void CancelImage(const QImage& picture);
    // Shows the dialog modally; -1 after OK, 0 after Cancel or closing the window.
    int16_t Show();

  private:
    std::unique_ptr<CalendarForm> form_;
};
