#include "ScaledCurrencyWalk.h"

#include <QStringList>
#include <algorithm>

#include "SchemaTypes.h"

namespace jet {

namespace {

// Thrown inside the walk when the statement leaves the forms it knows.
struct NotUnderstood {};

// Words that end a list item or a table, so that they are never taken for an alias or
// a column.
bool isClauseWord(const SqlToken& token) {
    static const QStringView words[] = {
        u"select", u"from",   u"where",   u"group", u"order", u"having", u"union", u"intersect",
        u"except", u"limit",  u"inner",   u"left",  u"right", u"full",   u"cross", u"join",
        u"on",     u"as",     u"and",     u"or",    u"not",   u"asc",    u"desc",  u"values",
        u"set",    u"exists", u"between", u"like",  u"in",    u"is"};
    if (token.kind != SqlToken::Word) {
        return false;
    }
    for (QStringView word : words) {
        if (token.isWord(word)) {
            return true;
        }
    }
    return false;
}

// The type of a value that may be either of two: an amount when both meet one exactly.
Kind commonKind(Kind a, Kind b) {
    if (a == b || b == Kind::Null) {
        return a;
    }
    if (a == Kind::Null) {
        return b;
    }
    return ScaledExpr::isNumeric(a) && ScaledExpr::isNumeric(b) ? Kind::Double : Kind::Unknown;
}

}  // namespace

ScaledCurrencyWalk::ScaledCurrencyWalk(const std::vector<SqlToken>& tokens,
                                       const SchemaTypes& schema)
    : tokens_(tokens), schema_(schema) {}

ScaledCurrencyWalk::Outcome ScaledCurrencyWalk::rewrite() {
    try {
        if (atWord(u"select")) {
            const Query outer = query(nullptr);
            text = outer.text;
            for (const Column& column : outer.columns) {
                const FieldType type = ScaledExpr::fieldTypeOf(column.kind);
                columns.push_back(type);
                if (!column.name.isEmpty() && !names.contains(column.name)) {
                    names.insert(column.name, type);
                }
            }
        } else if (atWord(u"insert")) {
            text = insert();
        } else if (atWord(u"update")) {
            text = update();
        } else if (atWord(u"delete")) {
            text = remove();
        } else if (atWord(u"create") || atWord(u"alter") || atWord(u"drop")) {
            return Outcome::LeftAlone;
        } else {
            return Outcome::NotUnderstood;
        }
        while (atSymbol(u";")) {
            ++pos_;
        }
        return pos_ == tokens_.size() ? Outcome::Rewritten : Outcome::NotUnderstood;
    } catch (const NotUnderstood&) {
        return Outcome::NotUnderstood;
    }
}

QString ScaledCurrencyWalk::Item::text() const {
    return (star ? value.text : value.checked()) + alias;
}

const SqlToken* ScaledCurrencyWalk::peek(size_t ahead) const {
    return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
}

bool ScaledCurrencyWalk::atWord(QStringView word, size_t ahead) const {
    const SqlToken* token = peek(ahead);
    return token && token->isWord(word);
}

bool ScaledCurrencyWalk::atSymbol(QStringView symbol, size_t ahead) const {
    const SqlToken* token = peek(ahead);
    return token && token->isSymbol(symbol);
}

bool ScaledCurrencyWalk::atName(size_t ahead) const {
    const SqlToken* token = peek(ahead);
    return token && token->isName() && !isClauseWord(*token);
}

QString ScaledCurrencyWalk::take() {
    if (pos_ >= tokens_.size()) {
        throw NotUnderstood();
    }
    return tokens_[pos_++].text;
}

void ScaledCurrencyWalk::expectWord(QStringView word) {
    if (!atWord(word)) {
        throw NotUnderstood();
    }
    ++pos_;
}

void ScaledCurrencyWalk::expectSymbol(QStringView symbol) {
    if (!atSymbol(symbol)) {
        throw NotUnderstood();
    }
    ++pos_;
}

// A plain or dotted name such as Management_Tbl.Cost_Money or [T.Cost_Money]; the
// qualifier and the last part go to the arguments when asked for.
QString ScaledCurrencyWalk::dottedName(QString* qualifier, QString* last) {
    if (!atName()) {
        throw NotUnderstood();
    }
    const SqlToken& first = tokens_[pos_++];
    QString written = first.text;
    QString lastName = identifierName(first);
    QString qualifierName;
    if (first.kind == SqlToken::Bracketed && lastName.contains(u'.')) {
        qualifierName = lastName.section(u'.', -2, -2);
        lastName = lastName.section(u'.', -1);
    }
    while (atSymbol(u".") && atName(1)) {
        ++pos_;
        const SqlToken& part = tokens_[pos_++];
        written += u'.' + part.text;
        qualifierName = lastName;
        lastName = identifierName(part);
    }
    if (qualifier) {
        *qualifier = qualifierName;
    }
    if (last) {
        *last = lastName;
    }
    return written;
}

// An alias after an item or a table, "AS name" or a bare name, as written; its name goes
// to the argument.
QString ScaledCurrencyWalk::aliasAfter(QString* name) {
    QString written;
    if (atWord(u"as")) {
        ++pos_;
        written = QStringLiteral(" AS ");
    } else if (atName()) {
        written = QStringLiteral(" ");
    } else {
        return QString();
    }
    if (!atName()) {
        throw NotUnderstood();
    }
    const SqlToken& token = tokens_[pos_++];
    *name = asciiLower(identifierName(token));
    return written + token.text;
}

// A select with the branches joined to it by UNION and the ORDER BY of them all.
ScaledCurrencyWalk::Query ScaledCurrencyWalk::query(const Scope* outer) {
    ++depth_;
    std::vector<Core> cores;
    QStringList joins;
    cores.push_back(core(outer));
    while (atWord(u"union")) {
        QString join = take();
        if (atWord(u"all")) {
            join += u' ' + take();
        }
        joins << join;
        cores.push_back(core(outer));
    }
    Query result;
    result.columns = combined(cores);
    for (size_t i = 0; i < cores.size(); ++i) {
        QStringList items;
        for (const Item& item : cores[i].items) {
            items << item.text();
        }
        result.text += (i == 0 ? QString() : u' ' + joins[static_cast<qsizetype>(i - 1)] + u' ') +
                       cores[i].head + u' ' + items.join(QStringLiteral(", ")) + cores[i].tail;
    }
    if (atWord(u"order") && atWord(u"by", 1)) {
        pos_ += 2;
        // One select sorts by its own names, a compound one by the names of its columns.
        Scope scope(schema_, nullptr);
        if (cores.size() == 1) {
            scope = cores.front().scope;
        } else {
            scope.addItems(result.columns);
        }
        scope.setItemsFirst();
        const Scope* enclosing = scope_;
        scope_ = &scope;
        result.text += QStringLiteral(" ORDER BY ") + orderList(true);
        scope_ = enclosing;
    }
    --depth_;
    return result;
}

// The column types of the branches of a compound select: a number beside an amount is
// brought to ten-thousandths; an amount beside any other value is not understood.
std::vector<ScaledCurrencyWalk::Column> ScaledCurrencyWalk::combined(
    std::vector<Core>& cores) const {
    std::vector<std::vector<std::pair<Item*, size_t>>> places(cores.size());
    for (size_t c = 0; c < cores.size(); ++c) {
        for (Item& item : cores[c].items) {
            for (size_t i = 0; i < item.columns.size(); ++i) {
                places[c].emplace_back(&item, i);
            }
        }
        if (places[c].size() != places[0].size()) {
            throw NotUnderstood();
        }
    }
    std::vector<Column> columns;
    for (const auto& [item, index] : places[0]) {
        columns.push_back(item->columns[index]);
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        bool currency = false;
        for (const auto& branch : places) {
            currency =
                currency || branch[i].first->columns[branch[i].second].kind == Kind::Currency;
        }
        for (size_t c = 1; !currency && c < places.size(); ++c) {
            const auto& [item, index] = places[c][i];
            columns[i].kind = commonKind(columns[i].kind, item->columns[index].kind);
        }
        if (!currency) {
            continue;
        }
        for (const auto& branch : places) {
            Item& item = *branch[i].first;
            if (item.columns[branch[i].second].kind == Kind::Currency) {
                continue;
            }
            if (item.star || !item.value.exactWithCurrency()) {
                throw NotUnderstood();
            }
            item.value = {item.value.scaled(), Kind::Currency};
            item.columns[0].kind = Kind::Currency;
        }
        columns[i].kind = Kind::Currency;
    }
    return columns;
}

// One SELECT: its FROM is read first, so that its items know the tables.
ScaledCurrencyWalk::Core ScaledCurrencyWalk::core(const Scope* outer) {
    Core result(schema_, outer);
    result.head = take();
    if (atWord(u"distinct") || atWord(u"all")) {
        result.head += u' ' + take();
    }
    const Scope* enclosing = scope_;
    const size_t itemsAt = pos_;
    const size_t from = fromPosition();
    size_t after = pos_;
    if (from < tokens_.size()) {
        pos_ = from + 1;
        result.tail = QStringLiteral(" FROM ") + fromList(result.scope);
        after = pos_;
        pos_ = itemsAt;
    }
    scope_ = &result.scope;
    itemList(result);
    if (from < tokens_.size()) {
        if (pos_ != from) {
            throw NotUnderstood();
        }
        pos_ = after;
    }
    if (atWord(u"where")) {
        ++pos_;
        result.tail += QStringLiteral(" WHERE ") + expression().text;
    }
    if (atWord(u"group") && atWord(u"by", 1)) {
        pos_ += 2;
        result.tail += QStringLiteral(" GROUP BY ") + orderList(false);
    }
    if (atWord(u"having")) {
        ++pos_;
        result.tail += QStringLiteral(" HAVING ") + expression().text;
    }
    scope_ = enclosing;
    return result;
}

// Where the FROM of the select whose items start here is; past the end when it has none.
size_t ScaledCurrencyWalk::fromPosition() const {
    int depth = 0;
    for (size_t i = pos_; i < tokens_.size(); ++i) {
        const SqlToken& token = tokens_[i];
        if (token.isSymbol(u"(")) {
            ++depth;
        } else if (token.isSymbol(u")")) {
            if (--depth < 0) {
                break;
            }
        } else if (depth == 0 && token.isWord(u"from")) {
            return i;
        } else if (depth == 0 && token.endsSelectList()) {
            break;
        }
    }
    return tokens_.size();
}

void ScaledCurrencyWalk::itemList(Core& core) {
    do {
        Item item;
        if (atSymbol(u"*") || (atName() && atSymbol(u".", 1) && atSymbol(u"*", 2))) {
            QString qualifier;
            if (!atSymbol(u"*")) {
                qualifier = asciiLower(identifierName(tokens_[pos_]));
                item.value.text = tokens_[pos_].text + u'.';
                pos_ += 2;
            }
            item.value.text += take();
            item.star = true;
            std::optional<std::vector<Column>> columns = core.scope.star(qualifier);
            if (!columns) {
                throw NotUnderstood();
            }
            item.columns = std::move(*columns);
        } else {
            const size_t start = pos_;
            item.value = value(expression());
            QString name;
            const bool bare = (pos_ == start + 1 && tokens_[start].isName()) ||
                              (pos_ == start + 3 && tokens_[start + 1].isSymbol(u"."));
            if (bare) {
                name = asciiLower(identifierName(tokens_[pos_ - 1]).section(u'.', -1));
            }
            if (depth_ == 1) {
                steps.push_back({AmountStep::Read, start, pos_});
            }
            item.alias = aliasAfter(&name);
            item.columns.push_back({name, item.value.kind});
        }
        core.scope.addItems(item.columns);
        core.items.push_back(std::move(item));
    } while (atSymbol(u",") && ++pos_);
}

QString ScaledCurrencyWalk::orderList(bool directions) {
    QString out;
    do {
        if (!out.isEmpty()) {
            out += QStringLiteral(", ");
        }
        const size_t start = pos_;
        out += expression().text;
        if (depth_ == 1) {
            steps.push_back({AmountStep::Read, start, pos_});
        }
        if (directions && (atWord(u"asc") || atWord(u"desc"))) {
            out += u' ' + take();
        }
    } while (atSymbol(u",") && ++pos_);
    return out;
}

// The tables of a FROM, added to the scope; the conditions of its joins see them.
QString ScaledCurrencyWalk::fromList(Scope& scope) {
    const Scope* enclosing = scope_;
    scope_ = &scope;
    QString out = fromItem(scope);
    while (true) {
        if (atSymbol(u",")) {
            ++pos_;
            out += QStringLiteral(", ") + fromItem(scope);
            continue;
        }
        QString join;
        while (atWord(u"inner") || atWord(u"left") || atWord(u"right") || atWord(u"full") ||
               atWord(u"outer") || atWord(u"cross")) {
            join += u' ' + take();
        }
        if (!atWord(u"join")) {
            if (!join.isEmpty()) {
                throw NotUnderstood();
            }
            break;
        }
        out += join + u' ' + take() + u' ';
        out += fromItem(scope);
        if (atWord(u"on")) {
            ++pos_;
            out += QStringLiteral(" ON ") + expression().text;
        }
    }
    scope_ = enclosing;
    return out;
}

QString ScaledCurrencyWalk::fromItem(Scope& scope) {
    QString alias;
    if (atSymbol(u"(")) {
        ++pos_;
        if (!atWord(u"select")) {
            const QString joined = u'(' + fromList(scope) + u')';
            expectSymbol(u")");
            return joined;
        }
        // a derived table sees the scopes around its select, not the tables beside it
        Query derived = query(scope.outer());
        expectSymbol(u")");
        const QString out = u'(' + derived.text + u')' + aliasAfter(&alias);
        if (alias.isEmpty()) {
            throw NotUnderstood();
        }
        scope.addDerived(alias, std::move(derived.columns));
        return out;
    }
    QString table;
    QString out = dottedName(nullptr, &table);
    out += aliasAfter(&alias);
    if (!scope.addTable(table, alias)) {
        throw NotUnderstood();
    }
    return out;
}

// A column named in the statement, resolved from the innermost scope out.
ScaledExpr ScaledCurrencyWalk::column(const QString& qualifier, const QString& name,
                                      const QString& text) const {
    const std::optional<Kind> kind = scope_ ? scope_->find(qualifier, name) : std::nullopt;
    if (!kind) {
        throw NotUnderstood();
    }
    return {text, *kind};
}

// The result of a comparison or of AND, OR and NOT, from the token at the start up to here.
ScaledExpr ScaledCurrencyWalk::condition(size_t start, const QString& text) const {
    ScaledExpr result{text, Kind::Bool, ScaledExpr::None, false, true};
    result.begin = start;
    result.end = pos_;
    return result;
}

// The value as the original engine gives it: a condition that holds is -1.
ScaledExpr ScaledCurrencyWalk::value(const ScaledExpr& expr) {
    if (expr.condition) {
        steps.push_back({AmountStep::Truth, expr.begin, expr.end});
    }
    return expr.asValue();
}

// A value written into a column of the table; a computed amount is checked for an
// overflow first, which the engine would otherwise store as a real number.
QString ScaledCurrencyWalk::valueFor(const QString& table, const QString& column,
                                     const ScaledExpr& value) const {
    if (schema_.find(table, column) != adCurrency) {
        return value.plain();
    }
    return value.kind == Kind::Currency ? QStringLiteral("CurCheck(") + value.text + u')'
                                        : value.scaled();
}

ScaledCurrencyWalk::Scope ScaledCurrencyWalk::tableScope(const QString& table) const {
    Scope scope(schema_, nullptr);
    if (!scope.addTable(table, QString())) {
        throw NotUnderstood();
    }
    return scope;
}

QString ScaledCurrencyWalk::insert() {
    QString out = take();
    expectWord(u"into");
    QString table;
    out += QStringLiteral(" INTO ") + dottedName(nullptr, &table);
    const Scope scope = tableScope(table);
    scope_ = &scope;
    QStringList columns = schema_.columns(table);
    if (atSymbol(u"(")) {
        ++pos_;
        columns.clear();
        QStringList names;
        do {
            QString name;
            names << dottedName(nullptr, &name);
            columns << name;
        } while (atSymbol(u",") && ++pos_);
        expectSymbol(u")");
        out += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + u')';
    }
    expectWord(u"values");
    expectSymbol(u"(");
    out += QStringLiteral(" VALUES (");
    int index = 0;
    do {
        const ScaledExpr written = value(expression());
        if (index >= columns.size()) {
            throw NotUnderstood();
        }
        out += (index == 0 ? QString() : QStringLiteral(", ")) +
               valueFor(table, columns[index], written);
        ++index;
    } while (atSymbol(u",") && ++pos_);
    expectSymbol(u")");
    scope_ = nullptr;
    return out + u')';
}

QString ScaledCurrencyWalk::update() {
    QString out = take();
    QString table;
    out += u' ' + dottedName(nullptr, &table);
    const Scope scope = tableScope(table);
    scope_ = &scope;
    expectWord(u"set");
    out += QStringLiteral(" SET ");
    QString separator;
    do {
        QString column;
        out += separator + dottedName(nullptr, &column);
        separator = QStringLiteral(", ");
        expectSymbol(u"=");
        out += QStringLiteral(" = ") + valueFor(table, column, value(expression()));
    } while (atSymbol(u",") && ++pos_);
    if (atWord(u"where")) {
        ++pos_;
        out += QStringLiteral(" WHERE ") + expression().text;
    }
    scope_ = nullptr;
    return out;
}

QString ScaledCurrencyWalk::remove() {
    QString out = take();
    if (atSymbol(u"*")) {
        out += u' ' + take();
    }
    expectWord(u"from");
    Scope scope(schema_, nullptr);
    out += QStringLiteral(" FROM ") + fromList(scope);
    scope_ = &scope;
    if (atWord(u"where")) {
        ++pos_;
        out += QStringLiteral(" WHERE ") + expression().text;
    }
    scope_ = nullptr;
    return out;
}

ScaledExpr ScaledCurrencyWalk::expression() {
    const size_t start = pos_;
    ScaledExpr left = conjunction();
    while (atWord(u"or")) {
        ++pos_;
        left = condition(start, left.text + QStringLiteral(" OR ") + conjunction().text);
    }
    return left;
}

ScaledExpr ScaledCurrencyWalk::conjunction() {
    const size_t start = pos_;
    ScaledExpr left = negation();
    while (atWord(u"and")) {
        ++pos_;
        left = condition(start, left.text + QStringLiteral(" AND ") + negation().text);
    }
    return left;
}

ScaledExpr ScaledCurrencyWalk::negation() {
    const size_t start = pos_;
    if (atWord(u"not")) {
        ++pos_;
        return condition(start, QStringLiteral("NOT ") + negation().text);
    }
    return comparison();
}

ScaledExpr ScaledCurrencyWalk::comparison() {
    const size_t start = pos_;
    ScaledExpr left = concatenation();
    while (true) {
        static const QStringView operators[] = {u"=",  u"==", u"<",  u">",
                                                u"<=", u">=", u"<>", u"!="};
        bool compared = false;
        for (QStringView op : operators) {
            if (atSymbol(op)) {
                ++pos_;
                const QStringList texts =
                    ScaledExpr::comparable({value(left), value(concatenation())});
                left = condition(start, texts[0] + u' ' + op.toString() + u' ' + texts[1]);
                compared = true;
                break;
            }
        }
        if (compared) {
            continue;
        }
        if (atWord(u"is")) {
            ++pos_;
            QString text = left.checked() + QStringLiteral(" IS ");
            if (atWord(u"not")) {
                ++pos_;
                text += QStringLiteral("NOT ");
            }
            expectWord(u"null");
            left = condition(start, text + QStringLiteral("NULL"));
            continue;
        }
        const bool negated =
            atWord(u"not") && (atWord(u"between", 1) || atWord(u"like", 1) || atWord(u"in", 1));
        const QString no = negated ? QStringLiteral(" NOT") : QString();
        pos_ += negated ? 1 : 0;
        if (atWord(u"between")) {
            ++pos_;
            const ScaledExpr low = value(concatenation());
            expectWord(u"and");
            const QStringList texts =
                ScaledExpr::comparable({value(left), low, value(concatenation())});
            left = condition(start, texts[0] + no + QStringLiteral(" BETWEEN ") + texts[1] +
                                        QStringLiteral(" AND ") + texts[2]);
        } else if (atWord(u"like")) {
            ++pos_;
            left = condition(
                start, left.textual() + no + QStringLiteral(" LIKE ") + concatenation().textual());
        } else if (atWord(u"in")) {
            ++pos_;
            const QString list = inList(left);
            left = condition(start, left.text + no + QStringLiteral(" IN ") + list);
        } else if (negated) {
            throw NotUnderstood();
        } else {
            return left;
        }
    }
}

// The "(...)" after IN, its values compared with the left side.
QString ScaledCurrencyWalk::inList(ScaledExpr& left) {
    expectSymbol(u"(");
    if (atWord(u"select")) {
        const Query query = this->query(scope_);
        expectSymbol(u")");
        const bool currencyRight =
            !query.columns.empty() && query.columns[0].kind == Kind::Currency;
        if ((left.kind == Kind::Currency) != currencyRight) {
            throw NotUnderstood();
        }
        left.text = left.checked();
        return u'(' + query.text + u')';
    }
    std::vector<ScaledExpr> group{left};
    do {
        group.push_back(expression());
    } while (atSymbol(u",") && ++pos_);
    expectSymbol(u")");
    QStringList texts = ScaledExpr::comparable(group);
    left.text = texts.takeFirst();
    return u'(' + texts.join(QStringLiteral(", ")) + u')';
}

// Texts joined by "&", which binds more loosely than + and -: a Null side gives the other
// side's text.
ScaledExpr ScaledCurrencyWalk::concatenation() {
    const size_t start = pos_;
    ScaledExpr left = sum();
    while (atSymbol(u"&")) {
        left = value(left);
        if (left.kind == Kind::Currency) {
            steps.push_back({AmountStep::Text, start, pos_});
        }
        const size_t mark = pos_++;
        const ScaledExpr right = value(sum());
        if (right.kind == Kind::Currency) {
            steps.push_back({AmountStep::Text, mark + 1, pos_});
        }
        steps.push_back({AmountStep::JoinMark, mark, mark + 1});
        steps.push_back({AmountStep::Joined, start, pos_});
        // A side that is never Null lets the engine join them itself, the other side's Null
        // taken as an empty text: the keys of every row of the month's sums are joined so.
        const auto neverNull = [](const ScaledExpr& side) {
            return side.literal != ScaledExpr::None || side.joinedWithValue;
        };
        const auto orEmpty = [&neverNull](const ScaledExpr& side) {
            return neverNull(side)
                       ? side.textual()
                       : QStringLiteral("coalesce(") + side.textual() + QStringLiteral(", '')");
        };
        if (neverNull(left) || neverNull(right)) {
            left = {u'(' + orEmpty(left) + QStringLiteral(" || ") + orEmpty(right) + u')',
                    Kind::Text};
            left.joinedWithValue = true;
        } else {
            left = {QStringLiteral("JetConcat(") + left.textual() + QStringLiteral(", ") +
                        right.textual() + u')',
                    Kind::Text};
        }
    }
    return left;
}

ScaledExpr ScaledCurrencyWalk::sum() {
    const size_t start = pos_;
    ScaledExpr left = product();
    while (atSymbol(u"+") || atSymbol(u"-") || atSymbol(u"||")) {
        left = value(left);
        const QString op = take();
        const ScaledExpr right = value(product());
        if (op == u"||") {
            left = {left.textual() + u' ' + op + u' ' + right.textual(), Kind::Text};
            continue;
        }
        const bool currency = left.kind == Kind::Currency || right.kind == Kind::Currency;
        if (currency && left.exactWithCurrency() && right.exactWithCurrency()) {
            // a sum beyond the whole numbers stays a real number up to its check
            const auto operand = [](const ScaledExpr& e) {
                return e.kind == Kind::Currency ? e.text : e.scaled();
            };
            left = {operand(left) + u' ' + op + u' ' + operand(right), Kind::Currency,
                    ScaledExpr::None, true};
            steps.push_back({AmountStep::Checked, start, pos_});
        } else if (currency) {
            const bool date = left.kind == Kind::Date || right.kind == Kind::Date;
            left = {left.numeric() + u' ' + op + u' ' + right.numeric(),
                    date ? Kind::Date : Kind::Double};
        } else {
            Kind kind = ScaledExpr::arithmeticKind(left.kind, right.kind);
            if (left.kind == Kind::Date) {
                kind = right.kind == Kind::Date ? Kind::Double : Kind::Date;
            }
            left = {left.text + u' ' + op + u' ' + right.text, kind};
        }
    }
    return left;
}

ScaledExpr ScaledCurrencyWalk::product() {
    const size_t start = pos_;
    ScaledExpr left = unary();
    while (atSymbol(u"*") || atSymbol(u"/") || atSymbol(u"%") || atSymbol(u"\\") ||
           atWord(u"mod")) {
        left = value(left);
        const QString op = take();
        const ScaledExpr right = value(unary());
        const bool leftCurrency = left.kind == Kind::Currency;
        const bool rightCurrency = right.kind == Kind::Currency;
        if (op == u"*" && (leftCurrency || rightCurrency)) {
            const ScaledExpr& amount = leftCurrency ? left : right;
            const ScaledExpr& other = leftCurrency ? right : left;
            if (other.kind == Kind::Currency || other.kind == Kind::Null ||
                (other.literal == ScaledExpr::Number && other.kind == Kind::Integer &&
                 other.isExactAmount())) {
                // CurMul refuses a factor that left the whole numbers
                const QString factor = other.kind == Kind::Currency ? other.text : other.scaled();
                left = {
                    QStringLiteral("CurMul(") + amount.text + QStringLiteral(", ") + factor + u')',
                    Kind::Currency};
                steps.push_back({AmountStep::Rounded, start, pos_});
            } else if (other.kind == Kind::Integer && other.literal == ScaledExpr::None) {
                left = {amount.text + QStringLiteral(" * ") + other.text, Kind::Currency,
                        ScaledExpr::None, true};
                steps.push_back({AmountStep::Checked, start, pos_});
            } else {
                left = {left.plain() + QStringLiteral(" * ") + right.plain(), Kind::Double};
            }
        } else if (op == u"/" && leftCurrency && rightCurrency) {
            left = {left.checked() + QStringLiteral(" / ") + right.checked(), Kind::Double};
        } else if (op == u"/") {
            left = {left.plain() + QStringLiteral(" / ") + right.plain(), Kind::Double};
        } else if (op == u"*") {
            left = {left.text + QStringLiteral(" * ") + right.text,
                    ScaledExpr::arithmeticKind(left.kind, right.kind)};
        } else {
            left = {left.plain() + u' ' + op + u' ' + right.plain(), Kind::Unknown};
        }
    }
    return left;
}

ScaledExpr ScaledCurrencyWalk::unary() {
    if (atSymbol(u"-") || atSymbol(u"+")) {
        const size_t start = pos_;
        const QString op = take();
        ScaledExpr operand = value(unary());
        if (operand.literal == ScaledExpr::Number && !operand.text.startsWith(u'-')) {
            operand.text = op == u"-" ? u'-' + operand.text : operand.text;
            return operand;
        }
        // the negative of the least amount is beyond the range
        const bool negated = op == u"-" && operand.kind == Kind::Currency;
        if (negated) {
            steps.push_back({AmountStep::Checked, start, pos_});
        }
        return {op + u' ' + operand.text, operand.kind, ScaledExpr::None,
                operand.unchecked || negated};
    }
    return primary();
}

ScaledExpr ScaledCurrencyWalk::primary() {
    const SqlToken* token = peek();
    if (!token) {
        throw NotUnderstood();
    }
    if (std::optional<ScaledExpr> literal = ScaledExpr::literalOf(*token)) {
        ++pos_;
        return *literal;
    }
    if (token->isSymbol(u"(")) {
        ++pos_;
        ScaledExpr inner;
        if (atWord(u"select")) {
            const Query query = this->query(scope_);
            if (query.columns.size() != 1) {
                throw NotUnderstood();
            }
            inner = {query.text, query.columns[0].kind};
        } else {
            inner = expression();
        }
        expectSymbol(u")");
        inner.text = u'(' + inner.text + u')';
        inner.literal = ScaledExpr::None;
        return inner;
    }
    if (token->isWord(u"true") || token->isWord(u"false")) {
        ++pos_;
        return {token->text, Kind::Bool};
    }
    if (token->isWord(u"exists") && atSymbol(u"(", 1) && atWord(u"select", 2)) {
        const size_t start = pos_;
        pos_ += 2;
        const Query query = this->query(scope_);
        expectSymbol(u")");
        return condition(start, token->text + QStringLiteral(" (") + query.text + u')');
    }
    if (!atName()) {
        throw NotUnderstood();
    }
    if (atSymbol(u"(", 1)) {
        return call();
    }
    QString qualifier;
    QString name;
    const QString text = dottedName(&qualifier, &name);
    return column(qualifier, name, text);
}

ScaledExpr ScaledCurrencyWalk::call() {
    const size_t start = pos_;
    const QString name = take();
    ++pos_;  // "("
    const QString lower = asciiLower(name);
    if (lower == u"count") {
        QString inner;
        if (atSymbol(u"*")) {
            inner = take();
        } else {
            if (atWord(u"distinct")) {
                inner = take() + u' ';
            }
            inner += expression().checked();
        }
        expectSymbol(u")");
        return {name + u'(' + inner + u')', Kind::Integer};
    }
    std::vector<ScaledExpr> args;
    // the first token of each argument and the one after its last
    std::vector<std::pair<size_t, size_t>> spans;
    if (!atSymbol(u")")) {
        do {
            const size_t at = pos_;
            args.push_back(expression());
            spans.emplace_back(at, pos_);
        } while (atSymbol(u",") && ++pos_);
    }
    expectSymbol(u")");
    bool anyCurrency = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (lower != u"iif" || i != 0) {
            args[i] = value(args[i]);
        }
        anyCurrency = anyCurrency || args[i].kind == Kind::Currency;
    }
    if (std::optional<ScaledExpr> known = amountCall(name, lower, args, spans)) {
        return *known;
    }
    if (args.size() == 1) {
        const ScaledExpr& arg = args[0];
        const bool currency = arg.kind == Kind::Currency;
        if (lower == u"sum") {
            // a sum beyond the range comes back as a real number, checked where it is read
            const Kind kind = currency || arg.kind == Kind::Integer ? arg.kind
                              : ScaledExpr::isNumeric(arg.kind)     ? Kind::Double
                                                                    : Kind::Unknown;
            if (currency) {
                steps.push_back({AmountStep::Checked, start, pos_});
            }
            return {name + u'(' + arg.text + u')', kind, ScaledExpr::None, currency};
        }
        if (lower == u"avg") {
            if (currency) {
                steps.push_back({AmountStep::Averaged, start + 2, pos_ - 1});
            }
            return currency ? ScaledExpr{QStringLiteral("CurAvg(") + arg.checked() + u')',
                                         Kind::Currency}
                            : ScaledExpr{name + u'(' + arg.text + u')', Kind::Double};
        }
        if (lower == u"max" || lower == u"min" || lower == u"first" || lower == u"last") {
            return {name + u'(' + arg.checked() + u')', arg.kind};
        }
        if (lower == u"abs") {
            // the engine's own refuses the least amount with a message of its own
            if (currency) {
                steps.push_back({AmountStep::Checked, start, pos_});
            }
            return currency ? ScaledExpr{QStringLiteral("CurAbs(") + arg.text + u')', arg.kind}
                            : ScaledExpr{name + u'(' + arg.text + u')',
                                         ScaledExpr::isNumeric(arg.kind) ? arg.kind : Kind::Double};
        }
    }
    if (args.size() == 3 && lower == u"iif") {
        const ScaledExpr result =
            choice(name + u'(' + args[0].text + QStringLiteral(", "), {args[1], args[2]});
        noteChoice(start, result, args, spans);
        return result;
    }
    // a function not known here would meet the amount as a real number
    if (anyCurrency) {
        throw NotUnderstood();
    }
    QStringList texts;
    for (const ScaledExpr& arg : args) {
        texts << arg.plain();
    }
    return {name + u'(' + texts.join(QStringLiteral(", ")) + u')', Kind::Unknown};
}

// Round, Format and the text functions with the original engine's meaning for an amount:
// rounded exactly, or read as the amount's own text. Nothing for any other call. The
// spans are the tokens of the arguments; the call's name is two tokens before the first.
std::optional<ScaledExpr> ScaledCurrencyWalk::amountCall(
    const QString& name, const QString& lower, const std::vector<ScaledExpr>& args,
    const std::vector<std::pair<size_t, size_t>>& spans) {
    if (args.empty()) {
        return std::nullopt;
    }
    const ScaledExpr& first = args[0];
    if (lower == u"round" && args.size() <= 2) {
        const QString places = args.size() == 2 ? args[1].plain() : QStringLiteral("0");
        if (first.kind == Kind::Currency) {
            return ScaledExpr{QStringLiteral("CurRound(") + first.checked() + QStringLiteral(", ") +
                                  places + u')',
                              Kind::Currency};
        }
        if (first.literal == ScaledExpr::Number && first.isExactAmount()) {
            // a number written with few decimals is rounded on its written value
            return ScaledExpr{QStringLiteral("(CurRound(") + first.scaled() + QStringLiteral(", ") +
                                  places + QStringLiteral(") / 10000.0)"),
                              first.kind};
        }
        return std::nullopt;
    }
    if (lower == u"format" && args.size() == 2 && first.kind == Kind::Currency) {
        return ScaledExpr{QStringLiteral("CurFormat(") + first.checked() + QStringLiteral(", ") +
                              args[1].textual() + u')',
                          Kind::Text};
    }
    static const QStringView textFunctions[] = {u"trim", u"ltrim", u"rtrim", u"replace", u"instr"};
    for (QStringView function : textFunctions) {
        if (lower == function) {
            QStringList texts;
            for (size_t i = 0; i < args.size(); ++i) {
                texts << args[i].textual();
                if (args[i].kind == Kind::Currency) {
                    steps.push_back({AmountStep::Text, spans[i].first, spans[i].second});
                }
            }
            const bool anyCurrency = std::any_of(args.begin(), args.end(), [](const ScaledExpr& e) {
                return e.kind == Kind::Currency;
            });
            if (lower == u"instr" && args.size() == 2 && anyCurrency) {
                steps.push_back({AmountStep::Own, spans[0].first - 2, spans[0].first - 1});
            }
            return ScaledExpr{name + u'(' + texts.join(QStringLiteral(", ")) + u')',
                              lower == u"instr" ? Kind::Integer : Kind::Text};
        }
    }
    return std::nullopt;
}

// A call that gives one of its values as it is: an amount when one is and the others
// meet it exactly, else a plain number.
ScaledExpr ScaledCurrencyWalk::choice(const QString& head, const std::vector<ScaledExpr>& args) {
    bool currency = false;
    bool exact = true;
    Kind kind = Kind::Null;
    for (const ScaledExpr& arg : args) {
        currency = currency || arg.kind == Kind::Currency;
        exact = exact && arg.exactWithCurrency();
        kind = commonKind(kind, arg.kind);
    }
    // beside a text an amount is given as its own text
    const bool text = currency && std::any_of(args.begin(), args.end(), [](const ScaledExpr& e) {
                          return e.kind == Kind::Text;
                      });
    QStringList texts;
    for (const ScaledExpr& arg : args) {
        texts << (!currency ? arg.text : text ? arg.textual() : exact ? arg.scaled() : arg.plain());
    }
    if (currency) {
        kind = text ? Kind::Text : exact ? Kind::Currency : Kind::Double;
    }
    return {head + texts.join(QStringLiteral(", ")) + u')', kind};
}

// An IIf that gives an amount, or an amount's text beside a text, at its name: its
// values as the file gives them.
void ScaledCurrencyWalk::noteChoice(size_t name, const ScaledExpr& result,
                                    const std::vector<ScaledExpr>& args,
                                    const std::vector<std::pair<size_t, size_t>>& spans) {
    const bool currency = std::any_of(args.begin() + 1, args.end(),
                                      [](const ScaledExpr& e) { return e.kind == Kind::Currency; });
    const bool text = result.kind == Kind::Text;
    if (!currency || (!text && result.kind != Kind::Currency)) {
        return;
    }
    for (size_t i = 1; text && i < args.size(); ++i) {
        if (args[i].kind == Kind::Currency) {
            steps.push_back({AmountStep::Text, spans[i].first, spans[i].second});
        }
    }
    if (text) {
        steps.push_back({AmountStep::Own, name, name + 1});
    } else {
        steps.push_back({AmountStep::Chosen, name, pos_});
    }
}

}  // namespace jet
