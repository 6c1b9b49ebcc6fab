#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "Recordset.h"

struct sqlite3;

namespace jet {

// The declared types of the columns of every table in a database file, as field types.
// Names are compared as the engine compares them (ASCII letters without regard to case).
class SchemaTypes {
  public:
    // "DATETIME" -> adDate, "CURRENCY" -> adCurrency, "TEXT" -> adVarWChar,
    // "INTEGER" -> adInteger, "REAL" -> adDouble; adEmpty for no or an unknown type.
    static FieldType fromDeclaredType(QStringView declared);

    // Reads the tables and their columns; a failure leaves the types unknown.
    void load(sqlite3* db);
    // Adds a column after the table's columns added before it.
    void add(QStringView table, QStringView column, FieldType type);
    // Changes with every load and addition and differs between objects made apart, so that
    // what is derived from the types can be kept by it.
    quint64 id() const { return id_; }

    bool isTable(QStringView name) const;
    // adEmpty when the table has no such column.
    FieldType find(QStringView table, QStringView column) const;
    // A column named without its table: the first of `tables` that has it decides,
    // then any table.
    FieldType find(QStringView column, const QStringList& tables) const;
    // The table's columns in the order of its definition; empty for no such table.
    QStringList columns(QStringView table) const;
    // The (table, column) pairs of every currency column.
    QList<QPair<QString, QString>> currencyColumns() const;

  private:
    QHash<QString, QHash<QString, FieldType>> tables_;
    QHash<QString, FieldType> anyTable_;
    QHash<QString, QStringList> order_;  // tables lower-cased, columns as defined
    QList<QPair<QString, QString>> currency_;
    quint64 id_ = nextId();

    static quint64 nextId();
};

}  // namespace jet
