#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "ScaledCurrencyRules.h"

namespace jet {

class SchemaTypes;

// The names one SELECT (or UPDATE, DELETE) knows: the tables of its FROM, then the names
// its items give, then those of the enclosing SELECT. In ORDER BY the items' names go
// first.
class ScaledCurrencyScope {
  public:
    struct Column {
        QString name;  // lower-cased; empty for a value without a name
        Kind kind;
    };

    ScaledCurrencyScope(const SchemaTypes& schema, const ScaledCurrencyScope* outer);

    const ScaledCurrencyScope* outer() const { return outer_; }
    void setItemsFirst() { itemsFirst_ = true; }

    // False for a table the schema does not have.
    bool addTable(const QString& table, const QString& alias);
    void addDerived(const QString& alias, std::vector<Column> columns);
    void addItems(const std::vector<Column>& columns);

    // The type of a column named in the statement, from this scope out; nothing when no
    // scope has it, or the table named has no such column.
    std::optional<Kind> find(const QString& qualifier, const QString& name) const;
    // The columns a "*" (qualifier empty) or "table.*" stands for; nothing for no such
    // table, or no table at all.
    std::optional<std::vector<Column>> star(const QString& qualifier) const;

  private:
    struct Source {
        QString name;                 // the alias, else the table, lower-cased
        QString table;                // the schema's table; empty for a derived table
        std::vector<Column> columns;  // of a derived table
    };

    std::optional<Kind> findHere(const QString& name) const;
    std::optional<Kind> item(const QString& name) const;
    std::optional<Kind> kindIn(const Source& source, const QString& name) const;

    const SchemaTypes* schema_;
    const ScaledCurrencyScope* outer_;
    std::vector<Source> sources_;
    std::vector<Column> items_;
    bool itemsFirst_ = false;
};

}  // namespace jet
