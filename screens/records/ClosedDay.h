#pragma once

#include "platform/runtime/Date.h"

namespace ClosedDay {

// The day lies in the last closed month or before it (up to the last day of the month
// of lastCloseDate): it is shown read-only with that month's frozen product list.
bool IsClosed(const vb::Date& lastCloseDate, const vb::Date& day);

}  // namespace ClosedDay
