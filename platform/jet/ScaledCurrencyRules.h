#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "Recordset.h"
#include "SqlLexer.h"

namespace jet {

// The rules by which a value meets an amount kept in whole ten-thousandths.
enum class Kind { Unknown, Currency, Integer, Double, Date, Text, Bool, Null };

// A rewritten expression and the engine's type of its value.
struct ScaledExpr {
    QString text;
    Kind kind = Kind::Unknown;
    enum Literal { None, Number, String } literal = None;
    // An amount from + or - that may have left the whole numbers (the engine then makes it
    // a real number): it is checked for an overflow before anything but + or - reads it.
    bool unchecked = false;
    // A condition (a comparison, AND, OR, NOT...), which the engine gives as 1 or 0.
    bool condition = false;
    // Texts joined by & of which one side can never be Null, so neither can the join.
    bool joinedWithValue = false;
    // The tokens of a condition: its first and the one after its last.
    size_t begin = 0;
    size_t end = 0;

    static Kind kindOf(FieldType type);
    static FieldType fieldTypeOf(Kind kind);
    static bool isNumeric(Kind kind);
    static Kind arithmeticKind(Kind left, Kind right);

    // A literal token (number, string, date or Null) as an expression; nothing for
    // any other token.
    static std::optional<ScaledExpr> literalOf(const SqlToken& token);

    // The value as the original engine gives it: a condition that holds is -1.
    ScaledExpr asValue() const;
    // The text with an overflow check when the value may need one.
    QString checked() const;
    // The value in ten-thousandths.
    QString scaled() const;
    // The value as a plain number.
    QString plain() const;
    // The value as text, an amount as its shortest decimals.
    QString textual() const;
    // Whether the value meets an amount exactly, so that it is brought to ten-thousandths.
    bool exactWithCurrency() const;
    // Whether a literal is an amount as it stands: in range and with at most four
    // decimals once its exponent is applied.
    bool isExactAmount() const;
    // A value met as a plain number; a number written as text is met as that number.
    QString numeric() const;

    // The texts of values compared with one another (a comparison, BETWEEN, IN): in
    // ten-thousandths when one is an amount and all meet it exactly, else plain.
    static QStringList comparable(const std::vector<ScaledExpr>& group);
};

}  // namespace jet
