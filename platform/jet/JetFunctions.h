#pragma once

struct sqlite3;

namespace jet {

// Registers the Jet functions that the statements use on a connection:
//   Sum(x), Avg(x): exact over currency amounts (they replace the engine's own).
//   CurAvg(x): the average of amounts in ten-thousandths, rounded half to even.
//   CurMul(a, b), CurScale(x), CurText(x): amounts in ten-thousandths multiplied, made
//   from a number or a text, written as text (see ScaledCurrency.h).
//   CurAbs(x), CurCheck(x): the size of an amount, an amount as it is; an overflow for one
//   beyond the currency range.
//   Last(x, key): x of the group's row with the greatest key (the translator writes Jet's
//   Last(x) as Last(x, +Input_Date), so the last price is that of the latest day).
// Returns an engine result code (SQLITE_OK when all are registered).
int registerJetFunctions(sqlite3* db);

}  // namespace jet
