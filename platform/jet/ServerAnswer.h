#pragma once

#include <memory>

#include "JetError.h"

struct pg_conn;
struct pg_result;

namespace jet {

using ServerResult = std::unique_ptr<pg_result, void (*)(pg_result*)>;

// The answer to what was just sent on a connection in non-blocking mode (a PQsend* call
// that succeeded), waited for on the connection's socket no longer than `timeoutMs`: the
// last result the server gives. A server that does not answer in time, and a connection
// lost on the way, give the connection failure; the connection is then of no further use.
Error awaitAnswer(pg_conn* connection, int timeoutMs, ServerResult& result);

// The failure of a statement that the server did not answer in time or whose connection
// was lost: the connection-failure message.
Error noAnswerError();

}  // namespace jet
