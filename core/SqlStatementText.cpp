#include "SqlStatementText.h"

#include <QStringList>

#include "SqlValueText.h"

namespace SqlStatementText {

namespace {

QString JoinItems(const VerseList& list, const QString& separator) {
    QStringList texts;
    for (const vb::Variant& item : list.Items()) {
        if (!VerseList::IsBlank(item)) {
            texts.append(VerseList::ItemText(item));
        }
    }
    return texts.join(separator);
}

QString Aggregate(const QString& function, const VerseList& fields, const VerseList& from,
                  const VerseList& where) {
    return "SELECT " + function + "(" + ListClause(fields, PlainClause) + ") " +
           ListClause(from, FromClause) + WhereClause(where);
}

}  // namespace

QString ListClause(const VerseList& list, ClauseKind kind) {
    const QString items = JoinItems(list, QStringLiteral(" , "));
    if (items.isEmpty()) {
        return QString();
    }
    switch (kind) {
        case SelectClause:
            return "SELECT " + items;
        case FromClause:
            return " FROM " + items;
        case OrderClause:
            return " ORDER BY " + items;
        case PlainClause:
            break;
    }
    return items;
}

QString WhereClause(const VerseList& list) {
    const QString items = JoinItems(list, QStringLiteral(" And "));
    return items.isEmpty() ? QString() : " Where " + items;
}

QString Select(const VerseList& fields, const VerseList& from, const VerseList& where,
               const VerseList& order) {
    return ListClause(fields, SelectClause) + ListClause(from, FromClause) + WhereClause(where) +
           ListClause(order, OrderClause);
}

QString Count(const VerseList& from, const VerseList& where) {
    return "SELECT COUNT(*) " + ListClause(from, FromClause) + WhereClause(where);
}

QString Max(const VerseList& fields, const VerseList& from, const VerseList& where) {
    return Aggregate(QStringLiteral("Max"), fields, from, where);
}

QString Min(const VerseList& fields, const VerseList& from, const VerseList& where) {
    return Aggregate(QStringLiteral("Min"), fields, from, where);
}

QString Insert(const QString& table, const VerseList& fields, const vb::VariantArray& rows,
               int row) {
    QStringList values;
    for (int col = 0; col <= rows.upperCol(); ++col) {
        const vb::Variant& value = rows.at(row, col);
        values.append(value.isString() ? value.toString() : SqlValueText::Value(value));
    }
    return "INSERT INTO " + table + "(" + ListClause(fields, PlainClause) + ") VALUES (" +
           values.join(',') + ")";
}

QString Delete(const VerseList& from, const VerseList& where) {
    return "DELETE " + ListClause(from, FromClause) + WhereClause(where);
}

QString Update(const QString& table, const vb::VariantArray& setItems, const VerseList& where) {
    QStringList items;
    for (int index = 0; index < setItems.size(); ++index) {
        items.append(VerseList::ItemText(setItems.at(index)));
    }
    return "UPDATE " + table + " SET " + items.join(QStringLiteral(", ")) + WhereClause(where);
}

}  // namespace SqlStatementText
