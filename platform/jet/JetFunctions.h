#pragma once

struct sqlite3;

namespace jet {

// Registers the Jet functions that the statements use on a connection:
//   Sum(x), Avg(x): exact over currency amounts (they replace the engine's own).
// Returns an engine result code (SQLITE_OK when all are registered).
int registerJetFunctions(sqlite3* db);

}  // namespace jet
