#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

#include "SqlLexer.h"

namespace jet {

class SchemaTypes;

// A value of a row to insert as the engine would have read it from the rewritten literal.
struct BoundValue {
    enum Kind { Null, Integer, Text } kind = Null;
    int64_t integer = 0;
    QString text;
};

// A row to insert as its plan's rewritten text up to the values and the values to bind,
// one parameter each: the same row as the rewritten statement writes.
struct BoundRow {
    QString prefix;
    std::vector<BoundValue> values;
};

// Rows to insert as the system writes them, "INSERT INTO table [(columns)] VALUES (...)"
// with plain names and a single literal for each value, rewritten without the statement
// walk. The plan of a row (its text up to the values and which values go into currency
// columns) is kept by schema, so that the next row of the table reads only its values.
class ScaledCurrencyRows {
  public:
    // The row from a plan met before; nothing when there is none or the values are more
    // than literals.
    static std::optional<QString> fromKnownPlan(QStringView jetSql, const SchemaTypes& schema);
    // The row from a plan met before as values to bind; nothing when there is none or a
    // value is more than a literal that the engine reads as Null, a whole number or a text
    // without a NUL (a minus sign before a number is taken too).
    static std::optional<BoundRow> boundFromKnownPlan(QStringView jetSql,
                                                      const SchemaTypes& schema);
    // The row read whole, its plan kept. `tokens` are those of the whole statement without
    // blanks, starting at `starts`.
    static std::optional<QString> fromTokens(QStringView jetSql,
                                             const std::vector<SqlToken>& tokens,
                                             const std::vector<qsizetype>& starts,
                                             const SchemaTypes& schema);
};

}  // namespace jet
