#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>
#include <vector>

#include "SqlLexer.h"

namespace jet {

// Translates a Jet SQL statement into the engine's SQL:
//   #yyyy/m/d# and #yyyy/m/d h:nn:ss# (also with "-" and blanks inside the signs)
//       -> the day serial (days since 1899-12-30, the time as the fraction)
//   [Table.Column] -> [Table].[Column] ([Name] is the engine's quoting too)
//   Last(x) -> Last(x, +Input_Date) (the value of the latest day, see JetFunctions.h)
//   a & b -> a || b, a / b -> a * 1.0 / b (a real division), True / False -> -1 / 0
// Everything else passes unchanged; text inside 'strings' and "names" is never touched.
QString translateJetSql(QStringView jetSql);

// The engine's text of a date literal such as "#2024/9/1#"; nothing when it is no valid
// date.
std::optional<QString> engineDateText(QStringView literal);

// The day and time that the inside of a date literal stands for, such as "2024/9/1" or
// " 2024-09-01 13:05 "; nothing when it is no valid date. Read as written, in no time zone.
struct JetMoment {
    QDate date;
    QTime time;
};
std::optional<JetMoment> jetDateTime(QStringView text);
// The same as a day serial.
std::optional<double> jetDateSerial(QStringView text);

// A call of the function of that name: the positions of the name, of the first comma between
// its arguments (the closing bracket when it has one) and of its closing bracket.
struct FunctionCall {
    size_t name;
    size_t comma;
    size_t close;
};
std::vector<FunctionCall> functionCalls(const std::vector<SqlToken>& tokens, QStringView name);

// A one-argument call Last(x): the positions of the name and of its closing bracket.
struct LastCall {
    size_t name;
    size_t close;
};
std::vector<LastCall> lastCalls(const std::vector<SqlToken>& tokens);

}  // namespace jet
