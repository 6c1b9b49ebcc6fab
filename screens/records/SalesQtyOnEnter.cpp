#include "SalesQtyOnEnter.h"

#include "platform/runtime/Strings.h"

bool SalesQtyOnEnter::Changed(const QString& quantity) const {
    return !vb::Trim(quantity).isEmpty() && quantity != quantity_;
}
