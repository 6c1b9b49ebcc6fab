#pragma once

#include "JetError.h"

struct pg_conn;
struct pg_result;

namespace jet {

// The failure of a statement from its result (or, without one, from the connection),
// with the server's message as the detail. Key violations, lock conflicts and faulty
// statements get their own numbers, as on the file; anything else gives `otherwise`.
// A value beyond its type's range (an amount beyond the currency range written or read, a
// whole number beyond the server's integers) is the overflow that the file gives for it.
Error serverError(pg_conn* connection, const pg_result* result, ErrorNumber otherwise);

// The overflow error, as the file's engine reports it.
Error overflowError();

}  // namespace jet
