#include "ServerSqlTranslator.h"

#include <QStringList>
#include <set>

#include "JetSqlTranslator.h"
#include "SqlLexer.h"

namespace jet {

namespace {

QString quotedName(const QString& name) {
    QString folded = asciiLower(name);
    folded.replace(u'"', QStringLiteral("\"\""));
    return u'"' + folded + u'"';
}

QString translateBracketed(const SqlToken& token) {
    if (!token.text.endsWith(u']')) {
        return token.text;  // left open: the server rejects it
    }
    QStringList parts = identifierName(token).split(u'.');
    for (QString& part : parts) {
        part = quotedName(part);
    }
    return parts.join(u'.');
}

// A literal that is no valid date becomes a name that no table has, so that the server
// refuses the statement as a faulty one, as the file does; a text would be read by the
// server's own, looser date rules.
QString translateDate(const SqlToken& token) {
    const QStringView inside = QStringView(token.text).mid(1, token.text.size() - 2);
    const std::optional<JetMoment> moment = jetDateTime(inside);
    if (!moment) {
        return u' ' + QString(token.text).replace(u'"', QStringLiteral("\"\"")).prepend(u'"') +
               QStringLiteral("\" ");
    }
    return QStringLiteral(" TIMESTAMP '") + moment->date.toString(QStringLiteral("yyyy-MM-dd")) +
           u' ' + moment->time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("' ");
}

// Where Null goes in a sort item, as Jet and the file sort it: first ascending, last
// descending (the server's own default is the other way round).
QString nullPlacement(const SqlToken* lastOfItem) {
    return lastOfItem && lastOfItem->isWord(u"DESC") ? QStringLiteral(" NULLS LAST")
                                                     : QStringLiteral(" NULLS FIRST");
}

}  // namespace

QString translateJetSqlForServer(QStringView jetSql) {
    const std::vector<SqlToken> tokens = tokenizeSql(jetSql);
    std::set<size_t> lastNames;
    std::set<size_t> lastEnds;
    for (const LastCall& call : lastCalls(tokens)) {
        lastNames.insert(call.name);
        lastEnds.insert(call.close);
    }
    std::set<size_t> roundNames;
    std::set<size_t> roundCommas;
    std::set<size_t> roundEnds;
    std::set<size_t> roundSingles;
    // Round(x, n) as a select of its own, so that x is written once: half to the even
    // neighbour on the exact value (the server's own rounds halves away from zero); fewer
    // than no places are refused.
    for (const FunctionCall& call : functionCalls(tokens, u"Round")) {
        roundNames.insert(call.name);
        (call.comma == call.close ? roundSingles : roundCommas).insert(call.comma);
        roundEnds.insert(call.close);
    }
    QString out;
    out.reserve(jetSql.size() + 16);
    // The bracket depths of the ORDER BY lists open at this point, and the last token of
    // the current sort item.
    std::vector<int> orderDepths;
    int depth = 0;
    const SqlToken* lastWord = nullptr;
    const SqlToken* lastOfItem = nullptr;
    // The token after Like is its pattern.
    bool likePattern = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        const SqlToken* previous = i > 0 ? &tokens[i - 1] : nullptr;
        const bool inOrder = !orderDepths.empty() && orderDepths.back() == depth;
        const bool pattern = likePattern && token.kind == SqlToken::String;
        if (token.kind != SqlToken::Space) {
            likePattern = false;
        }
        if (token.isSymbol(u"(")) {
            ++depth;
        } else if (token.isSymbol(u")") || token.isSymbol(u",")) {
            if (inOrder) {
                out += nullPlacement(lastOfItem);
                lastOfItem = nullptr;
                if (token.isSymbol(u")")) {
                    orderDepths.pop_back();
                }
            }
            if (token.isSymbol(u")")) {
                --depth;
            }
        } else if (token.kind != SqlToken::Space) {
            if (token.isWord(u"BY") && lastWord && lastWord->isWord(u"ORDER")) {
                orderDepths.push_back(depth);
                lastOfItem = nullptr;
            } else if (inOrder) {
                lastOfItem = &token;
            }
        }
        if (token.kind == SqlToken::Word) {
            lastWord = &token;
        } else if (token.kind != SqlToken::Space) {
            lastWord = nullptr;
        }
        if (roundNames.count(i) != 0) {
            out += QStringLiteral(
                "(SELECT CASE WHEN abs(r.s - trunc(r.s)) = 0.5 THEN 2 * round(r.s / 2) "
                "ELSE round(r.s) END / power(10::numeric, q.p) FROM (SELECT ");
            continue;
        }
        if (roundCommas.count(i) != 0 || roundSingles.count(i) != 0) {
            out += QStringLiteral(")::numeric AS v, pg_temp.round_places(");
            out += roundSingles.count(i) != 0 ? QStringLiteral("(0") : QStringLiteral("(");
            if (roundCommas.count(i) != 0) {
                continue;
            }
        }
        if (roundEnds.count(i) != 0) {
            out += QStringLiteral(
                ")::int) AS p) AS q, LATERAL (SELECT q.v * power(10::numeric, q.p) AS s) AS r)");
            continue;
        }
        switch (token.kind) {
            case SqlToken::Bracketed:
                out += translateBracketed(token);
                break;
            case SqlToken::Quoted:
                out += quotedName(identifierName(token));
                break;
            case SqlToken::DateLiteral:
                out += translateDate(token);
                break;
            case SqlToken::Symbol:
                if (lastEnds.count(i) != 0) {
                    out += QStringLiteral(" ORDER BY Input_Date DESC NULLS LAST))[1]");
                } else if (token.text == u"&") {
                    out += QStringLiteral("||");
                } else if (token.text == u"/") {
                    out += QStringLiteral("* 1::float8 /");
                } else {
                    out += token.text;
                }
                break;
            case SqlToken::Word:
                if (lastNames.count(i) != 0) {
                    out += QStringLiteral("(array_agg");
                } else if (previous && previous->isSymbol(u".")) {
                    out += token.text;
                } else if (token.isWord(u"Like")) {
                    // As on the file: letters of any case alike, and no escape character,
                    // so that a backslash in the pattern is just a backslash.
                    out += QStringLiteral("ILIKE");
                    likePattern = true;
                } else if (token.isWord(u"True")) {
                    out += QStringLiteral("-1");
                } else if (token.isWord(u"False")) {
                    out += QStringLiteral("0");
                } else {
                    out += token.text;
                }
                break;
            case SqlToken::String:
                out += token.text;
                if (pattern) {
                    out += QStringLiteral(" ESCAPE ''");
                }
                break;
            default:
                out += token.text;
        }
    }
    if (!orderDepths.empty()) {
        out += nullPlacement(lastOfItem);
    }
    return out;
}

}  // namespace jet
