#include "SqlLexer.h"

namespace jet {

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// End of a quoted token that starts at `begin` and closes with `close`; a doubled closing
// character stands for itself.
qsizetype quotedEnd(QStringView sql, qsizetype begin, QChar close, bool doubledEscapes) {
    qsizetype i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (doubledEscapes && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

qsizetype numberEnd(QStringView sql, qsizetype i) {
    while (i < sql.size() && isDigit(sql[i])) {
        ++i;
    }
    if (i < sql.size() && sql[i] == u'.') {
        ++i;
        while (i < sql.size() && isDigit(sql[i])) {
            ++i;
        }
    }
    if (i + 1 < sql.size() && (sql[i] == u'e' || sql[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < sql.size() && (sql[j] == u'+' || sql[j] == u'-')) {
            ++j;
        }
        if (j < sql.size() && isDigit(sql[j])) {
            i = j;
            while (i < sql.size() && isDigit(sql[i])) {
                ++i;
            }
        }
    }
    return i;
}

// End of a #...# literal, or `begin` when the sign opens none: only the characters of a
// date and time may stand between the signs, so that a lone sign never swallows a string.
qsizetype dateLiteralEnd(QStringView sql, qsizetype begin) {
    for (qsizetype i = begin + 1; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'#') {
            return i + 1;
        }
        if (!isDigit(c) && c != u'/' && c != u'-' && c != u':' && c != u' ' && c != u'.') {
            return begin;
        }
    }
    return begin;
}

qsizetype symbolEnd(QStringView sql, qsizetype i) {
    static const QStringView pairs[] = {u"<=", u">=", u"<>", u"!=", u"==", u"||", u"<<", u">>"};
    for (QStringView pair : pairs) {
        if (sql.mid(i).startsWith(pair)) {
            return i + 2;
        }
    }
    return i + 1;
}

}  // namespace

bool SqlToken::is(Kind k, QStringView t) const {
    return kind == k && text.compare(t, Qt::CaseInsensitive) == 0;
}

bool SqlToken::endsSelectList() const {
    static const QStringView keywords[] = {u"from",  u"where", u"group",     u"order", u"having",
                                           u"limit", u"union", u"intersect", u"except"};
    if (isSymbol(u";")) {
        return true;
    }
    for (QStringView keyword : keywords) {
        if (isWord(keyword)) {
            return true;
        }
    }
    return false;
}

std::vector<SqlToken> tokenizeSql(QStringView sql) {
    std::vector<SqlToken> tokens;
    tokens.reserve(sql.size() / 3 + 1);
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        SqlToken::Kind kind = SqlToken::Symbol;
        qsizetype end = i + 1;
        if (c.isSpace()) {
            kind = SqlToken::Space;
            while (end < sql.size() && sql[end].isSpace()) {
                ++end;
            }
        } else if (c == u'\'') {
            kind = SqlToken::String;
            end = quotedEnd(sql, i, u'\'', true);
        } else if (c == u'"') {
            kind = SqlToken::Quoted;
            end = quotedEnd(sql, i, u'"', true);
        } else if (c == u'[') {
            kind = SqlToken::Bracketed;
            end = quotedEnd(sql, i, u']', false);
        } else if (c == u'#' && dateLiteralEnd(sql, i) > i) {
            kind = SqlToken::DateLiteral;
            end = dateLiteralEnd(sql, i);
        } else if (isDigit(c) || (c == u'.' && i + 1 < sql.size() && isDigit(sql[i + 1]))) {
            kind = SqlToken::Number;
            end = numberEnd(sql, i);
        } else if (isWordChar(c)) {
            kind = SqlToken::Word;
            while (end < sql.size() && isWordChar(sql[end])) {
                ++end;
            }
        } else {
            end = symbolEnd(sql, i);
        }
        tokens.push_back({kind, sql.mid(i, end - i).toString()});
        i = end;
    }
    return tokens;
}

QString identifierName(const SqlToken& token) {
    if (token.kind != SqlToken::Quoted && token.kind != SqlToken::Bracketed) {
        return token.text;
    }
    const QChar close = token.kind == SqlToken::Quoted ? u'"' : u']';
    const bool closed = token.text.size() >= 2 && token.text.endsWith(close);
    QString inner = token.text.mid(1, token.text.size() - (closed ? 2 : 1));
    if (token.kind == SqlToken::Quoted) {
        inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    return inner;
}

QString asciiLower(QStringView text) {
    QString lower = text.toString();
    for (QChar& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + 32);
        }
    }
    return lower;
}

}  // namespace jet
