#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "AmountStep.h"

namespace jet {

// The server's own SQL that makes, for one connection, the functions the steps call.
const char* serverAmountFunctions();

// A Jet statement with each step (in characters of it) computed as the file computes
// it: a checked amount beyond the currency range fails with the server's number-out-of-
// range error, a product of amounts is rounded half to even to four decimals first, and
// an Avg of amounts keeps enough decimals that its value is rounded once, when read. A
// step that is a whole item of the outer select is checked by the reading instead. A
// condition read as a value is -1 or 0, an amount joined to a text is its own text, and
// texts joined by "&" take a Null side as an empty text (both Null: Null).
QString withServerAmountSteps(QStringView jetSql, const std::vector<AmountStep>& steps);

}  // namespace jet
