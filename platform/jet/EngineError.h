#pragma once

#include <QString>

#include "JetError.h"

struct sqlite3;

namespace jet {

// A failure with the layer's short Japanese text for the number, followed by the detail.
Error makeError(ErrorNumber number, const QString& detail = QString());

// The failure for an engine result code, with the engine's message as the detail. Busy
// and locked files, key violations and damaged files get their own numbers; any other
// code gives `otherwise`.
Error engineError(sqlite3* db, int resultCode, ErrorNumber otherwise);

}  // namespace jet
