#pragma once

#include <QString>

#include "platform/runtime/Date.h"

// The month that the month-end close works on: the month after the last closed month,
// or the current month while no month is closed.
namespace CloseTarget {

// First day of the month to close, from MainModule::HasCloseDate and LastCloseDate.
vb::Date Month();
// A month whose first day lies after today cannot be closed yet.
bool Allowed(const vb::Date& month);
// The two-line text of the screen for the month.
QString Announcement(const vb::Date& month);

}  // namespace CloseTarget
