#pragma once

#include <QString>

namespace vb {

// App.Path: the folder of the running program, without a trailing "/".
QString AppPath();

}  // namespace vb
