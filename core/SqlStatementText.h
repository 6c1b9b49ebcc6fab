#pragma once

#include <QString>

#include "VerseList.h"
#include "platform/runtime/VariantArray.h"

// Assembles the text of each statement of the database wrapper from its lists.
// Blank items (empty or only blanks) are left out of every clause; a clause whose
// items are all blank is the empty string, keyword included.
namespace SqlStatementText {

enum ClauseKind : int {
    SelectClause = 1,  // "SELECT " a , b
    FromClause = 2,    // " FROM " a , b
    OrderClause = 4,   // " ORDER BY " a , b
    PlainClause = 5,   // a , b (columns of an insert, the argument of Max and Min)
};

// The items joined by " , " after the prefix of the kind.
QString ListClause(const VerseList& list, ClauseKind kind);
// " Where " and the items joined by " And ".
QString WhereClause(const VerseList& list);

QString Select(const VerseList& fields, const VerseList& from, const VerseList& where,
               const VerseList& order);
// "SELECT COUNT(*)  FROM ..." (two blanks before FROM).
QString Count(const VerseList& from, const VerseList& where);
QString Max(const VerseList& fields, const VerseList& from, const VerseList& where);
QString Min(const VerseList& fields, const VerseList& from, const VerseList& where);
// One row of the array: "INSERT INTO table(a , b) VALUES ('x',1)". A string element
// is an SQL value text written as it is; any other value is written as its value text.
QString Insert(const QString& table, const VerseList& fields, const vb::VariantArray& rows,
               int row);
// "DELETE  FROM ..." (two blanks).
QString Delete(const VerseList& from, const VerseList& where);
// "UPDATE table SET a = 1, b = 2 Where ..." with the SET items of a one-dimensional array.
QString Update(const QString& table, const vb::VariantArray& setItems, const VerseList& where);

}  // namespace SqlStatementText
