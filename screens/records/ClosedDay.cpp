#include "ClosedDay.h"

namespace ClosedDay {

bool IsClosed(const vb::Date& lastCloseDate, const vb::Date& day) {
    return day.dateOnly() <= lastCloseDate.lastOfMonth();
}

}  // namespace ClosedDay
