#include "ScaledCurrencyRows.h"

#include <QHash>
#include <QPair>
#include <QStringList>
#include <mutex>

#include "ScaledCurrencyRules.h"
#include "SchemaTypes.h"

namespace jet {

namespace {

// The part of a row to insert before its values, "INSERT INTO table [(columns)] VALUES (",
// with plain names: its rewritten text and whether each value goes into a currency column.
struct RowPlan {
    QString prefix;
    std::vector<bool> currency;
};

std::optional<RowPlan> rowPlan(const std::vector<SqlToken>& tokens, size_t& pos,
                               const SchemaTypes& schema) {
    const auto plainName = [](const SqlToken& token) {
        return token.isName() && (token.kind == SqlToken::Word || !token.text.contains(u'.'));
    };
    pos = 2;
    if (tokens.size() < 7 || !tokens[0].isWord(u"insert") || !tokens[1].isWord(u"into") ||
        !plainName(tokens[pos])) {
        return std::nullopt;
    }
    const QString table = identifierName(tokens[pos]);
    RowPlan plan;
    plan.prefix = tokens[0].text + QStringLiteral(" INTO ") + tokens[pos].text;
    ++pos;
    QStringList columns;
    if (tokens[pos].isSymbol(u"(")) {
        plan.prefix += u" (";
        do {
            ++pos;
            if (pos + 1 >= tokens.size() || !plainName(tokens[pos])) {
                return std::nullopt;
            }
            if (!columns.isEmpty()) {
                plan.prefix += u", ";
            }
            plan.prefix += tokens[pos].text;
            columns << identifierName(tokens[pos]);
        } while (tokens[++pos].isSymbol(u","));
        if (!tokens[pos].isSymbol(u")")) {
            return std::nullopt;
        }
        plan.prefix += u')';
        ++pos;
    } else {
        columns = schema.columns(table);
    }
    if (pos + 1 >= tokens.size() || !tokens[pos].isWord(u"values") ||
        !tokens[pos + 1].isSymbol(u"(")) {
        return std::nullopt;
    }
    plan.prefix += u" VALUES (";
    pos += 2;
    for (const QString& column : columns) {
        plan.currency.push_back(schema.find(table, column) == adCurrency);
    }
    return plan;
}

// The values of a row to insert from `pos` on, a single literal each, up to the closing
// bracket that ends the statement, rewritten as the walk would: each value follows its
// column.
std::optional<QString> rowValues(const std::vector<SqlToken>& tokens, size_t pos,
                                 const RowPlan& plan) {
    QString out;
    out.reserve(plan.prefix.size() + static_cast<qsizetype>(tokens.size() - pos) * 6);
    out += plan.prefix;
    for (size_t index = 0;; ++index) {
        if (pos + 1 >= tokens.size()) {
            return std::nullopt;
        }
        const std::optional<ScaledExpr> value = ScaledExpr::literalOf(tokens[pos]);
        if (!value) {
            return std::nullopt;
        }
        if (index > 0) {
            out += u", ";
        }
        out +=
            index < plan.currency.size() && plan.currency[index] ? value->scaled() : value->plain();
        const SqlToken& next = tokens[++pos];
        if (next.isSymbol(u")")) {
            break;
        }
        if (!next.isSymbol(u",")) {
            return std::nullopt;
        }
        ++pos;
    }
    if (pos + 1 != tokens.size()) {
        return std::nullopt;
    }
    return out + u')';
}

// Where the values of a row to insert begin: after the first "VALUES (" and the blanks
// that follow; -1 when there is none.
qsizetype valuesStart(QStringView sql) {
    qsizetype i = sql.indexOf(u"values", 0, Qt::CaseInsensitive);
    if (i < 0) {
        return -1;
    }
    const auto blanks = [sql](qsizetype at) {
        while (at < sql.size() && sql[at].isSpace()) {
            ++at;
        }
        return at;
    };
    i = blanks(i + 6);
    return i < sql.size() && sql[i] == u'(' ? blanks(i + 1) : -1;
}

// The plans met so far, by schema and by the statement's text up to its values.
struct KnownPlans {
    std::mutex mutex;
    QHash<QPair<quint64, QString>, RowPlan> plans;
};

KnownPlans& knownPlans() {
    static KnownPlans known;
    return known;
}

// The plan of a row met before, and the row's tokens without blanks from its values on.
std::optional<RowPlan> knownPlan(QStringView jetSql, const SchemaTypes& schema,
                                 std::vector<SqlToken>& tokens) {
    const qsizetype cut = valuesStart(jetSql);
    if (cut < 0) {
        return std::nullopt;
    }
    std::optional<RowPlan> plan;
    {
        KnownPlans& known = knownPlans();
        const std::lock_guard<std::mutex> lock(known.mutex);
        const auto found = known.plans.constFind({schema.id(), jetSql.left(cut).toString()});
        if (found == known.plans.constEnd()) {
            return std::nullopt;
        }
        plan = *found;
    }
    for (SqlToken& token : tokenizeSql(jetSql.mid(cut))) {
        if (token.kind != SqlToken::Space) {
            tokens.push_back(std::move(token));
        }
    }
    return plan;
}

// A literal's value as the rewriting writes it for its column, when the engine reads that
// text as Null, a whole number or a text; negated after a minus sign.
std::optional<BoundValue> boundValue(const SqlToken& token, bool currency, bool negative) {
    const std::optional<ScaledExpr> literal = ScaledExpr::literalOf(token);
    if (!literal) {
        return std::nullopt;
    }
    if (literal->kind == Kind::Null) {
        return BoundValue{};
    }
    if (!currency && token.kind == SqlToken::String) {
        // the engine reads a written text only up to a NUL and refuses the rest of the
        // statement: the row is left to that path
        if (token.text.contains(QChar(u'\0'))) {
            return std::nullopt;
        }
        return BoundValue{BoundValue::Text, 0,
                          token.text.mid(1, token.text.size() - 2)
                              .replace(QStringLiteral("''"), QStringLiteral("'"))};
    }
    bool whole = false;
    const int64_t number =
        QStringView(currency ? literal->scaled() : literal->plain()).trimmed().toLongLong(&whole);
    if (!whole) {
        return std::nullopt;
    }
    return BoundValue{BoundValue::Integer, negative ? -number : number, {}};
}

}  // namespace

std::optional<QString> ScaledCurrencyRows::fromKnownPlan(QStringView jetSql,
                                                         const SchemaTypes& schema) {
    std::vector<SqlToken> tokens;
    const std::optional<RowPlan> plan = knownPlan(jetSql, schema, tokens);
    return plan ? rowValues(tokens, 0, *plan) : std::nullopt;
}

std::optional<BoundRow> ScaledCurrencyRows::boundFromKnownPlan(QStringView jetSql,
                                                               const SchemaTypes& schema) {
    std::vector<SqlToken> tokens;
    const std::optional<RowPlan> plan = knownPlan(jetSql, schema, tokens);
    if (!plan) {
        return std::nullopt;
    }
    BoundRow row{plan->prefix, {}};
    for (size_t pos = 0;; ++pos) {
        const bool negative = pos < tokens.size() && tokens[pos].isSymbol(u"-");
        pos += negative ? 1 : 0;
        if (pos + 1 >= tokens.size() || (negative && tokens[pos].kind != SqlToken::Number)) {
            return std::nullopt;
        }
        const size_t index = row.values.size();
        std::optional<BoundValue> value = boundValue(
            tokens[pos], index < plan->currency.size() && plan->currency[index], negative);
        if (!value) {
            return std::nullopt;
        }
        row.values.push_back(std::move(*value));
        const SqlToken& next = tokens[++pos];
        if (next.isSymbol(u")")) {
            return pos + 1 == tokens.size() ? std::optional<BoundRow>(std::move(row))
                                            : std::nullopt;
        }
        if (!next.isSymbol(u",")) {
            return std::nullopt;
        }
    }
}

std::optional<QString> ScaledCurrencyRows::fromTokens(QStringView jetSql,
                                                      const std::vector<SqlToken>& tokens,
                                                      const std::vector<qsizetype>& starts,
                                                      const SchemaTypes& schema) {
    size_t pos = 0;
    const std::optional<RowPlan> plan = rowPlan(tokens, pos, schema);
    if (!plan) {
        return std::nullopt;
    }
    std::optional<QString> row = rowValues(tokens, pos, *plan);
    const qsizetype cut = valuesStart(jetSql);
    if (row && cut >= 0 && pos < starts.size() && starts[pos] == cut) {
        KnownPlans& known = knownPlans();
        const std::lock_guard<std::mutex> lock(known.mutex);
        if (known.plans.size() >= 256) {
            known.plans.clear();
        }
        known.plans.insert({schema.id(), jetSql.left(cut).toString()}, *plan);
    }
    return row;
}

}  // namespace jet
