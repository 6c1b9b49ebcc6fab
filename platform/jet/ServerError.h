#pragma once

#include "JetError.h"

struct pg_conn;
struct pg_result;

namespace jet {

// The failure of a statement from its result (or, without one, from the connection),
// with the server's message as the detail. Key violations, lock conflicts and faulty
// statements get their own numbers, as on the file; anything else gives `otherwise`.
Error serverError(pg_conn* connection, const pg_result* result, ErrorNumber otherwise);

}  // namespace jet
