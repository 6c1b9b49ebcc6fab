#include "JetSqlTranslator.h"

#include <QDate>
#include <QStringList>
#include <set>

#include "SqlLexer.h"

namespace jet {

namespace {

// [A.B] names column B of table A. The brackets are kept, not turned into "double
// quotes": the engine reads a "name" that matches no column as a string, so a misspelt
// name would give a wrong value instead of an error.
QString translateBracketed(const SqlToken& token) {
    if (!token.text.endsWith(u']')) {
        return token.text;
    }
    QStringList parts = identifierName(token).split(u'.');
    for (QString& part : parts) {
        part = u'[' + part + u']';
    }
    return parts.join(u'.');
}

// Whether the statement holds anything that the translation changes: a sign it
// rewrites, or a word Last, True or False.
bool needsTranslation(QStringView jetSql) {
    static const QLatin1String words[] = {QLatin1String("last"), QLatin1String("true"),
                                          QLatin1String("false")};
    for (qsizetype i = 0; i < jetSql.size(); ++i) {
        const char16_t c = jetSql[i].unicode();
        if (c == u'#' || c == u'[' || c == u'&' || c == u'/') {
            return true;
        }
        const char16_t lower = c | 0x20;
        if (lower != u'l' && lower != u't' && lower != u'f') {
            continue;
        }
        for (const QLatin1String word : words) {
            if (jetSql.mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

QString serialText(double serial) {
    const bool whole = serial == static_cast<double>(static_cast<int64_t>(serial));
    const QString text =
        whole ? QString::number(static_cast<int64_t>(serial)) : QString::number(serial, 'g', 17);
    return serial < 0 ? u'(' + text + u')' : text;
}

// The blanks and digits of the pattern a date literal was read by: ASCII only.
bool isAsciiBlank(QChar c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isWordLike(const SqlToken* token) {
    return token && (token->kind == SqlToken::Word || token->kind == SqlToken::Number);
}

size_t skipSpaces(const std::vector<SqlToken>& tokens, size_t i) {
    while (i < tokens.size() && tokens[i].kind == SqlToken::Space) {
        ++i;
    }
    return i;
}

// The index past the closing bracket of the one opened at i.
size_t pastBrackets(const std::vector<SqlToken>& tokens, size_t i) {
    int depth = 0;
    for (; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol(u"(")) {
            ++depth;
        } else if (tokens[i].isSymbol(u")") && --depth == 0) {
            return i + 1;
        }
    }
    return tokens.size();
}

// The last token of the right side of the division at i: signs, then a bracketed value, a
// literal, or a name with its dotted parts and the arguments of a call. Nothing when the
// side is not one of these.
std::optional<size_t> divisorEnd(const std::vector<SqlToken>& tokens, size_t i) {
    size_t k = skipSpaces(tokens, i + 1);
    while (k < tokens.size() && (tokens[k].isSymbol(u"-") || tokens[k].isSymbol(u"+"))) {
        k = skipSpaces(tokens, k + 1);
    }
    if (k >= tokens.size()) {
        return std::nullopt;
    }
    if (tokens[k].isSymbol(u"(")) {
        const size_t past = pastBrackets(tokens, k);
        return past <= tokens.size() && past > k ? std::optional<size_t>(past - 1) : std::nullopt;
    }
    const SqlToken::Kind kind = tokens[k].kind;
    if (kind == SqlToken::Number) {
        // a written number other than zero needs no check
        return tokens[k].text.toDouble() == 0 ? std::optional<size_t>(k) : std::nullopt;
    }
    if (kind == SqlToken::String || kind == SqlToken::DateLiteral) {
        return k;
    }
    if (!tokens[k].isName()) {
        return std::nullopt;
    }
    size_t end = k;
    while (true) {
        const size_t dot = skipSpaces(tokens, end + 1);
        const size_t part = skipSpaces(tokens, dot + 1);
        if (part >= tokens.size() || !tokens[dot].isSymbol(u".") || !tokens[part].isName()) {
            break;
        }
        end = part;
    }
    const size_t open = skipSpaces(tokens, end + 1);
    if (open < tokens.size() && tokens[open].isSymbol(u"(")) {
        end = pastBrackets(tokens, open) - 1;
    }
    return end;
}

}  // namespace

std::vector<FunctionCall> functionCalls(const std::vector<SqlToken>& tokens, QStringView name) {
    std::vector<FunctionCall> calls;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].isWord(name) || (i > 0 && tokens[i - 1].isSymbol(u"."))) {
            continue;
        }
        size_t k = i + 1;
        while (k < tokens.size() && tokens[k].kind == SqlToken::Space) {
            ++k;
        }
        if (k >= tokens.size() || !tokens[k].isSymbol(u"(")) {
            continue;
        }
        int depth = 0;
        size_t comma = 0;
        for (; k < tokens.size(); ++k) {
            if (tokens[k].isSymbol(u"(")) {
                ++depth;
            } else if (tokens[k].isSymbol(u")") && --depth == 0) {
                calls.push_back({i, comma == 0 ? k : comma, k});
                break;
            } else if (depth == 1 && comma == 0 && tokens[k].isSymbol(u",")) {
                comma = k;
            }
        }
    }
    return calls;
}

std::vector<LastCall> lastCalls(const std::vector<SqlToken>& tokens) {
    std::vector<LastCall> calls;
    for (const FunctionCall& call : functionCalls(tokens, u"Last")) {
        if (call.comma == call.close) {
            calls.push_back({call.name, call.close});
        }
    }
    return calls;
}

std::optional<JetMoment> jetDateTime(QStringView text) {
    // yyyy/m/d or yyyy-m-d, then optionally blanks and h:m or h:m:s, blanks around; read by
    // hand, as this runs for every date of every row written.
    qsizetype at = 0;
    const auto blanks = [&text, &at] {
        const qsizetype start = at;
        while (at < text.size() && isAsciiBlank(text[at])) {
            ++at;
        }
        return at > start;
    };
    const auto digits = [&text, &at](qsizetype least, qsizetype most, int& value) {
        value = 0;
        qsizetype count = 0;
        while (count < most && at < text.size() && isAsciiDigit(text[at])) {
            value = value * 10 + (text[at].unicode() - u'0');
            ++at;
            ++count;
        }
        return count >= least && !(at < text.size() && isAsciiDigit(text[at]));
    };
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    blanks();
    if (!digits(4, 4, year) || at >= text.size()) {
        return std::nullopt;
    }
    const QChar separator = text[at];
    if (separator != u'/' && separator != u'-') {
        return std::nullopt;
    }
    ++at;
    if (!digits(1, 2, month) || at >= text.size() || text[at] != separator) {
        return std::nullopt;
    }
    ++at;
    if (!digits(1, 2, day)) {
        return std::nullopt;
    }
    if (blanks() && at < text.size()) {
        if (!digits(1, 2, hour) || at >= text.size() || text[at] != u':') {
            return std::nullopt;
        }
        ++at;
        if (!digits(1, 2, minute)) {
            return std::nullopt;
        }
        if (at < text.size() && text[at] == u':') {
            ++at;
            if (!digits(1, 2, second)) {
                return std::nullopt;
            }
        }
        blanks();
    }
    const QDate date(year, month, day);
    if (at != text.size() || !date.isValid() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return JetMoment{date, QTime(hour, minute, second)};
}

std::optional<double> jetDateSerial(QStringView text) {
    const std::optional<JetMoment> moment = jetDateTime(text);
    if (!moment) {
        return std::nullopt;
    }
    const int64_t days = QDate(1899, 12, 30).daysTo(moment->date);
    const double time = moment->time.msecsSinceStartOfDay() / 86400000.0;
    // Before day 0 the serial counts the days downwards and the time upwards, as the
    // runtime does: -1.25 is 1899-12-29 06:00.
    return days >= 0 ? days + time : days - time;
}

std::optional<QString> engineDateText(QStringView literal) {
    if (literal.size() < 2 || !literal.startsWith(u'#') || !literal.endsWith(u'#')) {
        return std::nullopt;
    }
    const std::optional<double> serial = jetDateSerial(literal.mid(1, literal.size() - 2));
    return serial ? std::optional<QString>(serialText(*serial)) : std::nullopt;
}

QString translateJetSql(QStringView jetSql) {
    if (!needsTranslation(jetSql)) {
        return jetSql.toString();
    }
    const std::vector<SqlToken> tokens = tokenizeSql(jetSql);
    // The engine meets the rows of a group in no fixed order, so Jet's Last(x) becomes
    // Last(x, +Input_Date): the value of the group's row with the latest day (the later
    // row met on the same day). The system takes Last only over the daily rows, one per
    // product and day. The key is written as an expression so that the result's type is
    // that of x.
    std::set<size_t> lastEnds;
    for (const LastCall& call : lastCalls(tokens)) {
        lastEnds.insert(call.close);
    }
    // The tokens after which a divisor's check is closed, once for each division.
    std::multiset<size_t> divisorEnds;
    QString out;
    out.reserve(jetSql.size() + 16);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        const SqlToken* previous = i > 0 ? &tokens[i - 1] : nullptr;
        const SqlToken* next = i + 1 < tokens.size() ? &tokens[i + 1] : nullptr;
        switch (token.kind) {
            case SqlToken::Bracketed:
                out += translateBracketed(token);
                break;
            case SqlToken::DateLiteral: {
                const std::optional<double> serial =
                    jetDateSerial(QStringView(token.text).mid(1, token.text.size() - 2));
                if (!serial) {
                    out += token.text;  // left for the engine to reject
                    break;
                }
                out += (isWordLike(previous) ? QStringLiteral(" ") : QString()) +
                       serialText(*serial) + (isWordLike(next) ? QStringLiteral(" ") : QString());
                break;
            }
            case SqlToken::Symbol:
                if (lastEnds.count(i) != 0) {
                    out += QStringLiteral(", +Input_Date)");
                } else if (token.text == u"&") {
                    out += QStringLiteral("||");
                } else if (token.text == u"/") {
                    // Jet divides as reals; the engine would cut 7 / 2 to 3. The left
                    // operand is made real (* and / bind alike, from the left). A zero
                    // divisor is Jet's error, where the engine gives Null.
                    out += QStringLiteral("* 1.0 /");
                    if (const std::optional<size_t> end = divisorEnd(tokens, i)) {
                        out += QStringLiteral(" JetDivisor(");
                        divisorEnds.insert(*end);
                    }
                } else {
                    out += token.text;
                }
                break;
            case SqlToken::Word:
                if (previous && previous->isSymbol(u".")) {
                    out += token.text;
                } else if (token.isWord(u"True")) {
                    out += QStringLiteral("-1");
                } else if (token.isWord(u"False")) {
                    out += QStringLiteral("0");
                } else {
                    out += token.text;
                }
                break;
            default:
                out += token.text;
        }
        for (size_t n = divisorEnds.count(i); n > 0; --n) {
            out += u')';
        }
    }
    return out;
}

}  // namespace jet
