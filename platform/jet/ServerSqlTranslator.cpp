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

// A literal that is no valid date is handed on as a text the server rejects as a
// timestamp, never as operators.
QString translateDate(const SqlToken& token) {
    const QStringView inside = QStringView(token.text).mid(1, token.text.size() - 2);
    const std::optional<QDateTime> moment = jetDateTime(inside);
    QString text = moment ? moment->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : inside.toString().replace(u'\'', QStringLiteral("''"));
    return QStringLiteral(" TIMESTAMP '") + text + QStringLiteral("' ");
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
    QString out;
    out.reserve(jetSql.size() + 16);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        const SqlToken* previous = i > 0 ? &tokens[i - 1] : nullptr;
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
    }
    return out;
}

}  // namespace jet
