#include "Format.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "Decimal.h"

namespace vb {

namespace {

// One element of a pattern: a placeholder or a run of literal text.
struct Token {
    enum Kind { Literal, DigitZero, DigitOptional, Point, Comma, DatePart } kind;
    QString text;  // the literal, or the date part in lower case ("yyyy", "mm", "n", ...)
};

bool isDatePartLetter(QChar c) {
    const char16_t lower = c.toLower().unicode();
    return lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u'n' ||
           lower == u's';
}

std::vector<Token> tokenize(const QString& pattern) {
    std::vector<Token> tokens;
    const auto literal = [&tokens](const QString& text) {
        if (!tokens.empty() && tokens.back().kind == Token::Literal) {
            tokens.back().text += text;
        } else {
            tokens.push_back({Token::Literal, text});
        }
    };
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? n : end;
            literal(pattern.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'\\' && i + 1 < n) {
            literal(pattern.mid(++i, 1));
        } else if (c == u'0') {
            tokens.push_back({Token::DigitZero, {}});
        } else if (c == u'#') {
            tokens.push_back({Token::DigitOptional, {}});
        } else if (c == u'.') {
            tokens.push_back({Token::Point, {}});
        } else if (c == u',') {
            tokens.push_back({Token::Comma, {}});
        } else if (isDatePartLetter(c)) {
            const QChar lower = c.toLower();
            qsizetype end = i + 1;
            while (end < n && pattern[end].toLower() == lower) {
                ++end;
            }
            tokens.push_back({Token::DatePart, QString(end - i, lower)});
            i = end - 1;
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

bool isDigitToken(const Token& token) {
    return token.kind == Token::DigitZero || token.kind == Token::DigitOptional;
}

// The text a token stands for when the pattern is not the kind that gives it meaning.
QString plainText(const Token& token) {
    switch (token.kind) {
        case Token::Literal:
        case Token::DatePart:
            return token.text;
        case Token::DigitZero:
            return QStringLiteral("0");
        case Token::DigitOptional:
            return QStringLiteral("#");
        case Token::Point:
            return QStringLiteral(".");
        case Token::Comma:
            return QStringLiteral(",");
    }
    return {};
}

// The exact decimal value of a variant for a number pattern; nothing for a text that
// is not a number. A Double gives its fifteen significant digits, the precision the
// runtime prints a Double with, so 2.675 formats as written ("2.68" with "0.00").
std::optional<Decimal> decimalOf(const Variant& value) {
    switch (value.type()) {
        case VarType::String:
            return Decimal::parse(value.toString());
        case VarType::Currency:
            return Decimal::fromCurrency(value.toCurrency());
        default:
            return Decimal::fromDouble(value.toDouble(), 15);
    }
}

// Where the placeholders of a number pattern stand.
struct NumberLayout {
    size_t pointIndex;   // token index of the decimal point, or the token count
    int wholePlaces;     // digit placeholders before the point
    int decimals;        // digit placeholders after it
    int minWholeDigits;  // whole digits always shown: from the leftmost "0" on
    bool grouping;       // a "," stands between digit placeholders of the whole part
};

NumberLayout layoutOf(const std::vector<Token>& tokens) {
    NumberLayout layout{tokens.size(), 0, 0, 0, false};
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Point && layout.pointIndex == tokens.size()) {
            layout.pointIndex = i;
        } else if (isDigitToken(tokens[i])) {
            ++(i < layout.pointIndex ? layout.wholePlaces : layout.decimals);
        }
    }
    int placesToTheRight = layout.wholePlaces;
    for (size_t i = 0; i < layout.pointIndex; ++i) {
        if (isDigitToken(tokens[i])) {
            if (tokens[i].kind == Token::DigitZero && layout.minWholeDigits == 0) {
                layout.minWholeDigits = placesToTheRight;
            }
            --placesToTheRight;
        } else if (tokens[i].kind == Token::Comma && placesToTheRight > 0 &&
                   placesToTheRight < layout.wholePlaces) {
            layout.grouping = true;
        }
    }
    return layout;
}

// Number patterns: digits are rounded half away from zero at the last shown decimal
// (the rule of Format, unlike the half-to-even rule of CCur and CLng). Whole digits
// beyond the placeholders go with the first one; "-" goes before the first digit and
// a value that rounds to zero shows no sign. Commas other than the grouping sign are
// left out.
QString formatNumber(const Decimal& exact, const std::vector<Token>& tokens) {
    const NumberLayout layout = layoutOf(tokens);
    const Decimal value = exact.rounded(layout.decimals, Decimal::Rounding::HalfAwayFromZero);
    std::string whole = value.integerDigits();
    if (static_cast<int>(whole.size()) < layout.minWholeDigits) {
        whole.insert(0, layout.minWholeDigits - whole.size(), '0');
    }
    const std::string fraction = value.fractionDigits(layout.decimals);
    // Decimal "#" places at the end show nothing for trailing zeros.
    int lastShownDecimal = -1;
    for (size_t i = layout.pointIndex, d = 0; i < tokens.size(); ++i) {
        if (isDigitToken(tokens[i])) {
            if (tokens[i].kind == Token::DigitZero || fraction[d] != '0') {
                lastShownDecimal = static_cast<int>(d);
            }
            ++d;
        }
    }

    QString out;
    bool signPending = value.isNegative();
    const int wholeCount = static_cast<int>(whole.size());
    int nextDigit = 0;
    // Writes the sign when still due and the whole digits up to index upTo.
    const auto emitWhole = [&](int upTo) {
        if (signPending) {
            out += u'-';
            signPending = false;
        }
        for (; nextDigit < upTo; ++nextDigit) {
            out += QChar(whole[nextDigit]);
            const int fromRight = wholeCount - 1 - nextDigit;
            if (layout.grouping && fromRight > 0 && fromRight % 3 == 0) {
                out += u',';
            }
        }
    };
    int wholePlacesLeft = layout.wholePlaces;
    int decimalPlace = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (i == layout.pointIndex) {
            emitWhole(wholeCount);
            out += u'.';
        } else if (!isDigitToken(token)) {
            if (token.kind != Token::Comma) {
                out += plainText(token);
            }
        } else if (i < layout.pointIndex) {
            --wholePlacesLeft;
            emitWhole(std::max(nextDigit, wholeCount - wholePlacesLeft));
        } else {
            if (decimalPlace <= lastShownDecimal) {
                out += QChar(fraction[decimalPlace]);
            }
            ++decimalPlace;
        }
    }
    return out;
}

bool isDatePattern(const std::vector<Token>& tokens) {
    bool date = false;
    for (const Token& token : tokens) {
        if (isDigitToken(token)) {
            return false;
        }
        date = date || token.kind == Token::DatePart;
    }
    return date;
}

QString twoDigits(int value) {
    return QString::number(value).rightJustified(2, u'0');
}

// One date part; runs longer than the known forms are read as repeated shorter ones.
QString datePart(const Date& date, QChar letter, int length, bool minutes) {
    switch (letter.unicode()) {
        case u'y':
            if (length >= 3) {
                return QString::number(date.year()).rightJustified(4, u'0');
            }
            if (length == 2) {
                return twoDigits(date.year() % 100);
            }
            return QString::number(date.dayNumber() - Date::fromYmd(date.year(), 1, 1).dayNumber() +
                                   1);
        case u'm': {
            const int part = minutes ? date.minute() : date.month();
            return length >= 2 ? twoDigits(part) : QString::number(part);
        }
        case u'd':
            return length >= 2 ? twoDigits(date.day()) : QString::number(date.day());
        case u'h':
            return length >= 2 ? twoDigits(date.hour()) : QString::number(date.hour());
        case u'n':
            return length >= 2 ? twoDigits(date.minute()) : QString::number(date.minute());
        case u's':
            return length >= 2 ? twoDigits(date.second()) : QString::number(date.second());
    }
    return {};
}

QString formatDate(const Date& date, const std::vector<Token>& tokens) {
    QString out;
    bool afterHour = false;
    for (const Token& token : tokens) {
        if (token.kind != Token::DatePart) {
            out += plainText(token);
            continue;
        }
        const QChar letter = token.text[0];
        int length = static_cast<int>(token.text.size());
        const int unit = letter == u'y' ? 4 : 2;
        while (length > 0) {
            const int take = std::min(length, unit);
            out += datePart(date, letter, take, afterHour && letter == u'm');
            length -= take;
        }
        afterHour = letter == u'h';
    }
    return out;
}

std::optional<Date> dateOf(const Variant& value) {
    if (value.isString()) {
        const QString text = value.toString();
        if (const std::optional<Date> date = Date::parse(text)) {
            return date;
        }
        const std::optional<Decimal> number = Decimal::parse(text);
        if (!number) {
            return std::nullopt;
        }
        return Date::fromSerial(number->toDouble());
    }
    return value.toDate();
}

}  // namespace

QString Format(const Variant& value, const QString& pattern) {
    if (value.isNull()) {
        return {};
    }
    if (pattern.isEmpty()) {
        return value.toString();
    }
    const std::vector<Token> tokens = tokenize(pattern);
    if (isDatePattern(tokens)) {
        if (value.isEmpty()) {
            return {};
        }
        const std::optional<Date> date = dateOf(value);
        return date ? formatDate(*date, tokens) : value.toString();
    }
    const std::optional<Decimal> number = decimalOf(value);
    if (!number) {
        return value.toString();
    }
    return formatNumber(*number, tokens);
}

}  // namespace vb
