#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

#include "platform/runtime/Date.h"

class MonthForm;

// The month picker as the screens use it: set Value and Caption, Show, and after OK
// read FromDate and ToDate. Owns its dialog, which is created unloaded (Value starts as
// now) and unloaded and released with this object.
class MonthView {
  public:
    MonthView();
    ~MonthView();
    MonthView(const MonthView&) = delete;
    MonthView& operator=(const MonthView&) = delete;

    // Value and Caption are read once, when the dialog loads (before the pictures or Show).
    void Value(const vb::Date& date);
    vb::Date Value() const;
    void Caption(const QString& text);
    // The pictures of the OK and Cancel buttons; the dialog is loaded first.
    void OKImage(const QImage& picture);
    void CancelImage(const QImage& picture);
    // The first and the last day, at midnight, of the month of Value.
    vb::Date FromDate() const;
    vb::Date ToDate() const;
    // Shows the dialog modally; -1 after OK, 0 after Cancel or closing the window.
    int16_t Show();

  private:
    std::unique_ptr<MonthForm> form_;
};
