#pragma once

#include <QString>
#include <QStringView>

namespace jet {

// Translates a Jet SQL statement into PostgreSQL's SQL:
//   #yyyy/m/d# and #yyyy/m/d h:nn:ss# -> TIMESTAMP 'yyyy-mm-dd hh:mm:ss'
//   [Table.Column] and "Name" -> "table"."column": quoted, with the ASCII letters in
//       lower case as the server folds the unquoted names of the schema
//   Last(x) -> (array_agg(x ORDER BY Input_Date DESC NULLS LAST))[1], the value of the
//       latest day, as on the file
//   a & b -> a || b, a / b -> a * 1::float8 / b (a real division), True / False -> -1 / 0
//   x Like 'p' -> x ILIKE 'p' ESCAPE '' (any case, no escape character, as on the file)
//   ORDER BY items: Null first ascending, last descending, as on the file
//   a date literal that is no valid date -> a quoted name that the server refuses
// Everything else passes unchanged; text inside 'strings' is never touched.
QString translateJetSqlForServer(QStringView jetSql);

}  // namespace jet
