#include "ScaledCurrencyRules.h"

#include <algorithm>
#include <cmath>

#include "JetSqlTranslator.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"

namespace jet {

namespace {

// The ten-thousandths of a literal's text, or nothing when it is no amount in range.
std::optional<QString> scaledLiteral(QStringView number) {
    try {
        const std::optional<vb::Currency> value = vb::Currency::parse(number.trimmed());
        if (value) {
            return QString::number(value->raw());
        }
    } catch (const vb::RuntimeError&) {
    }
    return std::nullopt;
}

// The literal's number text: a text literal without its quotes.
QStringView literalNumber(const ScaledExpr& e) {
    return e.literal == ScaledExpr::String ? QStringView(e.text).mid(1, e.text.size() - 2)
                                           : QStringView(e.text);
}

}  // namespace

Kind ScaledExpr::kindOf(FieldType type) {
    switch (type) {
        case adCurrency:
            return Kind::Currency;
        case adDate:
            return Kind::Date;
        case adSmallInt:
        case adInteger:
        case adBigInt:
            return Kind::Integer;
        case adDouble:
            return Kind::Double;
        case adVarWChar:
            return Kind::Text;
        case adBoolean:
            return Kind::Bool;
        default:
            return Kind::Unknown;
    }
}

FieldType ScaledExpr::fieldTypeOf(Kind kind) {
    switch (kind) {
        case Kind::Currency:
            return adCurrency;
        case Kind::Date:
            return adDate;
        case Kind::Integer:
            return adInteger;
        case Kind::Double:
            return adDouble;
        case Kind::Text:
            return adVarWChar;
        default:
            return adEmpty;
    }
}

bool ScaledExpr::isNumeric(Kind kind) {
    return kind == Kind::Integer || kind == Kind::Double;
}

Kind ScaledExpr::arithmeticKind(Kind left, Kind right) {
    if (left == Kind::Integer && right == Kind::Integer) {
        return Kind::Integer;
    }
    return isNumeric(left) && isNumeric(right) ? Kind::Double : Kind::Unknown;
}

std::optional<ScaledExpr> ScaledExpr::literalOf(const SqlToken& token) {
    switch (token.kind) {
        case SqlToken::Number: {
            const bool whole = !token.text.contains(u'.') && !token.text.contains(u'e') &&
                               !token.text.contains(u'E');
            return ScaledExpr{token.text, whole ? Kind::Integer : Kind::Double, Number};
        }
        case SqlToken::String:
            return ScaledExpr{token.text, Kind::Text, String};
        case SqlToken::DateLiteral: {
            // written as the engine's serial here, so that a row to insert usually leaves
            // the translation nothing to do
            const std::optional<QString> serial = engineDateText(token.text);
            return ScaledExpr{serial ? u' ' + *serial + u' ' : token.text, Kind::Date};
        }
        default:
            if (token.isWord(u"null")) {
                return ScaledExpr{token.text, Kind::Null};
            }
            return std::nullopt;
    }
}

ScaledExpr ScaledExpr::asValue() const {
    return condition
               ? ScaledExpr{QStringLiteral("(-(") + text + QStringLiteral("))"), Kind::Integer}
               : *this;
}

QString ScaledExpr::checked() const {
    return unchecked ? QStringLiteral("CurCheck(") + text + u')' : text;
}

QString ScaledExpr::scaled() const {
    switch (kind) {
        case Kind::Currency:
            return checked();
        case Kind::Null:
            return text;
        case Kind::Integer:
            if (literal == None) {
                return QStringLiteral("(") + text + QStringLiteral(") * 10000");
            }
            break;
        default:
            break;
    }
    if (literal != None) {
        const QStringView inner = literalNumber(*this);
        if (!inner.contains(u'\'')) {
            if (std::optional<QString> raw = scaledLiteral(inner)) {
                return *raw;
            }
        }
    }
    return QStringLiteral("CurScale(") + text + u')';
}

QString ScaledExpr::plain() const {
    return kind == Kind::Currency
               ? QStringLiteral("((") + checked() + QStringLiteral(") / 10000.0)")
               : text;
}

QString ScaledExpr::textual() const {
    return kind == Kind::Currency ? QStringLiteral("CurText(") + checked() + u')' : text;
}

bool ScaledExpr::isExactAmount() const {
    QStringView number = literalNumber(*this).trimmed();
    if (number.contains(u'\'') || !scaledLiteral(number)) {
        return false;
    }
    qsizetype exponent = 0;
    const qsizetype mark = std::max(number.indexOf(u'e'), number.indexOf(u'E'));
    if (mark >= 0) {
        bool ok = false;
        exponent = number.mid(mark + 1).toInt(&ok);
        if (!ok) {
            return false;
        }
        number = number.left(mark);
    }
    const qsizetype point = number.indexOf(u'.');
    QStringView decimals = point < 0 ? QStringView() : number.mid(point + 1);
    while (decimals.endsWith(u'0')) {
        decimals.chop(1);
    }
    return decimals.size() - exponent <= 4;
}

// A literal with more decimals than an amount holds is met as a plain number, as the
// engine compares and computes with a Double.
bool ScaledExpr::exactWithCurrency() const {
    return kind == Kind::Currency || kind == Kind::Null ||
           (literal == None ? kind == Kind::Integer : isExactAmount());
}

// Any other text is refused as CurScale refuses it.
QString ScaledExpr::numeric() const {
    if (literal == String) {
        const QStringView inner = literalNumber(*this).trimmed();
        bool number = false;
        const double value = inner.toDouble(&number);
        return number && std::isfinite(value) ? inner.toString() : scaled();
    }
    return plain();
}

QStringList ScaledExpr::comparable(const std::vector<ScaledExpr>& group) {
    bool currency = false;
    bool exact = true;
    for (const ScaledExpr& e : group) {
        currency = currency || e.kind == Kind::Currency;
        exact = exact && e.exactWithCurrency();
    }
    QStringList texts;
    for (const ScaledExpr& e : group) {
        texts << (!currency ? e.text : exact ? e.scaled() : e.numeric());
    }
    return texts;
}

}  // namespace jet
