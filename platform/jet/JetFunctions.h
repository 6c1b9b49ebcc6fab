#pragma once

struct sqlite3;

namespace jet {

// Registers the Jet functions that the statements use on a connection:
//   Sum(x), Avg(x): exact over currency amounts (they replace the engine's own).
//   Last(x, key): x of the group's row with the greatest key (the translator writes Jet's
//   Last(x) as Last(x, +Input_Date), so the last price is that of the latest day).
// Returns an engine result code (SQLITE_OK when all are registered).
int registerJetFunctions(sqlite3* db);

}  // namespace jet
