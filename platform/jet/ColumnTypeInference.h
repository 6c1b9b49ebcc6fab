#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "Recordset.h"
#include "SqlLexer.h"

namespace jet {

class SchemaTypes;

// Finds the field type of a result column that the engine reports without a declared
// type (an aggregate, an expression, a column of a derived table), from the text of the
// statement and the declared types of the tables:
// - The outermost SELECT list is split at its top-level commas; item i is result column
//   i. With a "*" in the list the column's own name is looked at instead.
// - Names in an expression are looked up as aliases ("expr AS name" anywhere in the
//   statement, derived tables included; the alias stands for its expression), then as
//   columns of the tables (the last part of a dotted name; its table when one is named).
// - Count(...) gives adInteger; an expression over a date column without arithmetic
//   (Max(FixDate)) gives adDate; one over a currency column without a division (Sum,
//   Avg, Max, Min, +, -, * of currency) gives adCurrency.
// - A comparison, and anything else, gives adEmpty: each value is then read as the engine stored
// it.
class ColumnTypeInference {
  public:
    ColumnTypeInference(const QString& engineSql, std::function<const SchemaTypes&()> schema);

    FieldType typeOf(int column, const QString& columnName);

  private:
    struct Range {
        size_t begin;
        size_t end;
    };

    std::vector<Range> selectList(size_t start) const;
    FieldType infer(Range range);
    FieldType resolve(const QString& qualifier, const QString& name);
    const QStringList& mentionedTables();

    std::vector<SqlToken> tokens_;  // without blanks
    std::vector<Range> outerItems_;
    bool outerAligned_ = true;
    QHash<QString, Range> aliases_;
    QSet<QString> resolving_;  // aliases being resolved, against a loop through themselves
    std::function<const SchemaTypes&()> schema_;
    std::optional<QStringList> tables_;
};

}  // namespace jet
