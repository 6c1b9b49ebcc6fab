#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "AmountStep.h"
#include "Recordset.h"

namespace jet {

class SchemaTypes;

// A Jet statement rewritten for a file that keeps currency columns as whole numbers of
// ten-thousandths, so that every amount in it is exact:
// - A currency expression stays in ten-thousandths: columns, + and - of amounts, Sum,
//   Max, Min, Last, comparisons and ORDER BY work on the whole numbers as they are.
// - A number meeting an amount (a literal, a whole-number column, a value written into a
//   currency column by INSERT or UPDATE) is brought to ten-thousandths: literals exactly
//   (more than four decimals rounded half to even), other values through CurScale.
// - Amount times amount is CurMul (rounded half to even), Avg of amounts is CurAvg; an
//   amount meeting a real number, a division or a text turns into its plain value.
// Result types follow the engine's rules: currency for Sum, Avg, Max, Min, First, Last,
// Abs, +, - and * of amounts and IIf of two amounts, Double for a division. An amount
// beyond the currency range is an overflow, in a SELECT as on a write.
struct ScaledStatement {
    QString jetSql;
    // Types of the outer SELECT's columns, a "*" expanded; adEmpty for an unknown value.
    std::vector<FieldType> columns;
    // The same by the columns' names.
    QHash<QString, FieldType> aliases;  // names lower-cased
    // False for a statement that names no currency column and is left as it is: its
    // values are typed as in any other file.
    bool typed = true;
    // Where the statement as given computes amounts that are checked or rounded here, as
    // characters of it, inner steps before those around them.
    std::vector<AmountStep> steps;
};

// A statement that names no currency column (and no UNION) is returned unchanged; nothing
// when one that does is not understood here as a whole.
std::optional<ScaledStatement> scaleCurrency(QStringView jetSql, const SchemaTypes& schema);

}  // namespace jet
