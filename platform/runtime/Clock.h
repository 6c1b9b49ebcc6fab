#pragma once

#include <optional>

#include "Date.h"

namespace vb {

// Now and Date of the runtime. Tests set a fixed time; otherwise the local clock.
Date Now();
Date Today();
void setClock(std::optional<Date> fixed);

}  // namespace vb
