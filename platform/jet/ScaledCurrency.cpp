#include "ScaledCurrency.h"

#include "ScaledCurrencyRows.h"
#include "ScaledCurrencyWalk.h"
#include "SchemaTypes.h"
#include "SqlLexer.h"

namespace jet {

namespace {

bool isComparison(const SqlToken& token) {
    for (const char16_t* symbol : {u"=", u"<", u">", u"<>", u"<=", u">="}) {
        if (token.isSymbol(symbol)) {
            return true;
        }
    }
    for (const char16_t* word : {u"and", u"or", u"not", u"in", u"between", u"like", u"is"}) {
        if (token.isWord(word)) {
            return true;
        }
    }
    return false;
}

// Whether the statement may need rewriting: it names a currency column, joins selects
// whose values a "*" may bring, joins texts with "&", whose Null sides the engine would
// not take as Jet does, or selects a comparison as a value, which the engine gives as 1
// where Jet gives -1.
bool mayNeedRewriting(const std::vector<SqlToken>& tokens, const SchemaTypes& schema) {
    const QStringList none;
    bool inSelectList = !tokens.empty() && tokens.front().isWord(u"select");
    for (const SqlToken& token : tokens) {
        if (token.isWord(u"from")) {
            inSelectList = false;
        }
        if (token.isWord(u"union") || token.isSymbol(u"&") ||
            (inSelectList && isComparison(token))) {
            return true;
        }
        if (token.isName() &&
            schema.find(identifierName(token).section(u'.', -1), none) == adCurrency) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<ScaledStatement> scaleCurrency(QStringView jetSql, const SchemaTypes& schema) {
    if (std::optional<QString> row = ScaledCurrencyRows::fromKnownPlan(jetSql, schema)) {
        return ScaledStatement{std::move(*row), {}, {}, true, {}};
    }
    std::vector<SqlToken> tokens;
    std::vector<qsizetype> starts;
    qsizetype start = 0;
    for (SqlToken& token : tokenizeSql(jetSql)) {
        const qsizetype length = token.text.size();
        if (token.kind != SqlToken::Space) {
            tokens.push_back(std::move(token));
            starts.push_back(start);
        }
        start += length;
    }
    ScaledStatement result{jetSql.toString(), {}, {}, false, {}};
    // An INSERT without a column list writes the table's columns without naming them.
    if ((tokens.empty() || !tokens.front().isWord(u"insert")) &&
        !mayNeedRewriting(tokens, schema)) {
        return result;
    }
    if (std::optional<QString> row =
            ScaledCurrencyRows::fromTokens(jetSql, tokens, starts, schema)) {
        result.jetSql = std::move(*row);
        result.typed = true;
        return result;
    }
    ScaledCurrencyWalk walk(tokens, schema);
    switch (walk.rewrite()) {
        case ScaledCurrencyWalk::Outcome::NotUnderstood:
            return std::nullopt;
        case ScaledCurrencyWalk::Outcome::LeftAlone:
            return result;
        case ScaledCurrencyWalk::Outcome::Rewritten:
            break;
    }
    result.jetSql = std::move(walk.text);
    result.columns = std::move(walk.columns);
    result.aliases = std::move(walk.names);
    result.typed = true;
    for (AmountStep step : walk.steps) {
        const SqlToken& last = tokens[step.end - 1];
        step.end = static_cast<size_t>(starts[step.end - 1] + last.text.size());
        step.begin = static_cast<size_t>(starts[step.begin]);
        result.steps.push_back(step);
    }
    return result;
}

}  // namespace jet
