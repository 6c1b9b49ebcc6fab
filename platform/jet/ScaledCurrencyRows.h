#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "SqlLexer.h"

namespace jet {

class SchemaTypes;

// Rows to insert as the system writes them, "INSERT INTO table [(columns)] VALUES (...)"
// with plain names and a single literal for each value, rewritten without the statement
// walk. The plan of a row (its text up to the values and which values go into currency
// columns) is kept by schema, so that the next row of the table reads only its values.
class ScaledCurrencyRows {
  public:
    // The row from a plan met before; nothing when there is none or the values are more
    // than literals.
    static std::optional<QString> fromKnownPlan(QStringView jetSql, const SchemaTypes& schema);
    // The row read whole, its plan kept. `tokens` are those of the whole statement without
    // blanks, starting at `starts`.
    static std::optional<QString> fromTokens(QStringView jetSql,
                                             const std::vector<SqlToken>& tokens,
                                             const std::vector<qsizetype>& starts,
                                             const SchemaTypes& schema);
};

}  // namespace jet
