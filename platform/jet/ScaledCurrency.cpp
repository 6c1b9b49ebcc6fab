#include "ScaledCurrency.h"

#include <QPair>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <mutex>

#include "JetSqlTranslator.h"
#include "SchemaTypes.h"
#include "SqlLexer.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"

namespace jet {

namespace {

// Thrown inside the parser when the statement leaves the forms it knows.
struct NotUnderstood {};

enum class Kind { Unknown, Currency, Integer, Double, Date, Text, Bool, Null };

struct Expr {
    QString text;
    Kind kind = Kind::Unknown;
    enum Literal { None, Number, String } literal = None;
};

Kind kindOf(FieldType type) {
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

FieldType fieldTypeOf(Kind kind) {
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

bool isNumeric(Kind kind) {
    return kind == Kind::Integer || kind == Kind::Double;
}

bool isName(const SqlToken& token) {
    return token.kind == SqlToken::Word || token.kind == SqlToken::Quoted ||
           token.kind == SqlToken::Bracketed;
}

// Words that end a list item or a table, so that they are never taken for an alias.
bool isClauseWord(const SqlToken& token) {
    static const QStringView words[] = {
        u"from",  u"where", u"group", u"order", u"having", u"union", u"intersect", u"except",
        u"limit", u"inner", u"left",  u"right", u"full",   u"cross", u"join",      u"on",
        u"as",    u"and",   u"or",    u"not",   u"asc",    u"desc",  u"values",    u"set"};
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
QStringView literalNumber(const Expr& e) {
    return e.literal == Expr::String ? QStringView(e.text).mid(1, e.text.size() - 2)
                                     : QStringView(e.text);
}

// An expression in ten-thousandths.
QString scaled(const Expr& e) {
    switch (e.kind) {
        case Kind::Currency:
        case Kind::Null:
            return e.text;
        case Kind::Integer:
            if (e.literal == Expr::None) {
                return QStringLiteral("(") + e.text + QStringLiteral(") * 10000");
            }
            break;
        default:
            break;
    }
    if (e.literal != Expr::None) {
        const QStringView inner = literalNumber(e);
        if (!inner.contains(u'\'')) {
            if (std::optional<QString> raw = scaledLiteral(inner)) {
                return *raw;
            }
        }
    }
    return QStringLiteral("CurScale(") + e.text + u')';
}

// An expression as a plain number.
QString plain(const Expr& e) {
    return e.kind == Kind::Currency ? QStringLiteral("((") + e.text + QStringLiteral(") / 10000.0)")
                                    : e.text;
}

QString textual(const Expr& e) {
    return e.kind == Kind::Currency ? QStringLiteral("CurText(") + e.text + u')' : e.text;
}

// Whether a literal is an amount as it stands: in range and with at most four decimals
// once its exponent is applied, so that bringing it to ten-thousandths rounds nothing.
bool isExactAmount(const Expr& e) {
    QStringView number = literalNumber(e).trimmed();
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

// Values that an amount meets exactly: they are brought to ten-thousandths. A literal
// with more decimals than an amount holds is met as a plain number, as the engine compares
// and computes with a Double.
bool exactWithCurrency(const Expr& e) {
    return e.kind == Kind::Currency || e.kind == Kind::Null ||
           (e.literal == Expr::None ? e.kind == Kind::Integer : isExactAmount(e));
}

// A value met as a plain number; a number written as text is met as that number, any
// other text is refused as CurScale refuses it.
QString numeric(const Expr& e) {
    if (e.literal == Expr::String) {
        const QStringView inner = literalNumber(e).trimmed();
        bool number = false;
        const double value = inner.toDouble(&number);
        return number && std::isfinite(value) ? inner.toString() : scaled(e);
    }
    return plain(e);
}

// The texts of values compared with one another (a comparison, BETWEEN, IN): in
// ten-thousandths when one is an amount and all meet it exactly, else plain.
QStringList comparable(const std::vector<Expr>& group) {
    bool currency = false;
    bool exact = true;
    for (const Expr& e : group) {
        currency = currency || e.kind == Kind::Currency;
        exact = exact && exactWithCurrency(e);
    }
    QStringList texts;
    for (const Expr& e : group) {
        texts << (!currency ? e.text : exact ? scaled(e) : numeric(e));
    }
    return texts;
}

Kind arithmeticKind(Kind left, Kind right) {
    if (left == Kind::Integer && right == Kind::Integer) {
        return Kind::Integer;
    }
    return isNumeric(left) && isNumeric(right) ? Kind::Double : Kind::Unknown;
}

class Parser {
  public:
    Parser(const std::vector<SqlToken>& tokens, const SchemaTypes& schema,
           const QHash<QString, Kind>& knownAliases)
        : tokens_(tokens), schema_(schema), known_(knownAliases) {}

    // The rewritten statement; false for a statement that needs none.
    bool statement(QString& out) {
        if (atWord(u"select")) {
            std::vector<Kind> items;
            out = select(&items);
            for (Kind kind : items) {
                columns.push_back(fieldTypeOf(kind));
            }
            if (outerStar_) {
                columns.clear();
            }
        } else if (atWord(u"insert")) {
            out = insert();
        } else if (atWord(u"update")) {
            out = update();
        } else if (atWord(u"delete")) {
            out = remove();
        } else {
            return false;
        }
        for (; pos_ < tokens_.size(); ++pos_) {
            out += u' ' + tokens_[pos_].text;  // refused by the engine's check for more text
        }
        return true;
    }

    std::vector<FieldType> columns;
    QHash<QString, Kind> aliases;

  private:
    const SqlToken* peek(size_t ahead = 0) const {
        return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
    }
    bool atWord(QStringView word, size_t ahead = 0) const {
        const SqlToken* token = peek(ahead);
        return token && token->isWord(word);
    }
    bool atSymbol(QStringView symbol, size_t ahead = 0) const {
        const SqlToken* token = peek(ahead);
        return token && token->isSymbol(symbol);
    }
    bool atName(size_t ahead = 0) const {
        const SqlToken* token = peek(ahead);
        return token && isName(*token);
    }
    QString take() {
        if (pos_ >= tokens_.size()) {
            throw NotUnderstood();
        }
        return tokens_[pos_++].text;
    }
    void expectWord(QStringView word) {
        if (!atWord(word)) {
            throw NotUnderstood();
        }
        ++pos_;
    }
    void expectSymbol(QStringView symbol) {
        if (!atSymbol(symbol)) {
            throw NotUnderstood();
        }
        ++pos_;
    }

    // A plain or dotted name such as Management_Tbl.Cost_Money or Item_tbl.csv; the
    // qualifier and the last part go to the arguments when asked for.
    QString dottedName(QString* qualifier = nullptr, QString* last = nullptr) {
        if (!atName()) {
            throw NotUnderstood();
        }
        const SqlToken& first = tokens_[pos_++];
        QString text = first.text;
        QString lastName = identifierName(first);
        QString qualifierName;
        if (first.kind == SqlToken::Bracketed && lastName.contains(u'.')) {
            qualifierName = lastName.section(u'.', -2, -2);
            lastName = lastName.section(u'.', -1);
        }
        while (atSymbol(u".") && atName(1)) {
            ++pos_;
            const SqlToken& part = tokens_[pos_++];
            text += u'.' + part.text;
            qualifierName = lastName;
            lastName = identifierName(part);
        }
        if (qualifier) {
            *qualifier = qualifierName;
        }
        if (last) {
            *last = lastName;
        }
        return text;
    }

    Kind resolve(const QString& qualifier, const QString& name) {
        if (!qualifier.isEmpty() && schema_.isTable(qualifier)) {
            return kindOf(schema_.find(qualifier, name));
        }
        const auto alias = known_.constFind(asciiLower(name));
        if (alias != known_.constEnd()) {
            return *alias;
        }
        return kindOf(schema_.find(name, mentionedTables()));
    }

    // The tables that the statement names, in order, for a column named without its table.
    const QStringList& mentionedTables() {
        if (!tables_) {
            tables_.emplace();
            for (const SqlToken& token : tokens_) {
                const QString name = identifierName(token);
                if (isName(token) && schema_.isTable(name) && !tables_->contains(name)) {
                    tables_->append(name);
                }
            }
        }
        return *tables_;
    }

    // An alias after an item or a table: "AS name" or a bare name.
    QString alias(Kind kind) {
        QString text;
        if (atWord(u"as")) {
            ++pos_;
            text = QStringLiteral(" AS ");
        } else if (atName() && !isClauseWord(*peek())) {
            text = QStringLiteral(" ");
        } else {
            return QString();
        }
        if (!atName()) {
            throw NotUnderstood();
        }
        const SqlToken& name = tokens_[pos_++];
        aliases.insert(asciiLower(identifierName(name)), kind);
        return text + name.text;
    }

    QString select(std::vector<Kind>* items) {
        const bool outer = items != nullptr && pos_ == 0;
        QString out = take();
        if (atWord(u"distinct") || atWord(u"all")) {
            out += u' ' + take();
        }
        std::vector<Kind> kinds;
        QString separator = QStringLiteral(" ");
        do {
            out += separator;
            separator = QStringLiteral(", ");
            if (atSymbol(u"*") || (atName() && atSymbol(u".", 1) && atSymbol(u"*", 2))) {
                while (!atSymbol(u"*")) {
                    out += take();
                }
                out += take();
                kinds.push_back(Kind::Unknown);
                outerStar_ = outerStar_ || outer;
                continue;
            }
            const Expr item = expression();
            out += item.text + alias(item.kind);
            kinds.push_back(item.kind);
        } while (atSymbol(u",") && ++pos_);
        if (atWord(u"from")) {
            ++pos_;
            out += QStringLiteral(" FROM ") + fromList();
        }
        if (atWord(u"where")) {
            ++pos_;
            out += QStringLiteral(" WHERE ") + expression().text;
        }
        if (atWord(u"group") && atWord(u"by", 1)) {
            pos_ += 2;
            out += QStringLiteral(" GROUP BY ") + orderList(false);
        }
        if (atWord(u"having")) {
            ++pos_;
            out += QStringLiteral(" HAVING ") + expression().text;
        }
        if (atWord(u"order") && atWord(u"by", 1)) {
            pos_ += 2;
            out += QStringLiteral(" ORDER BY ") + orderList(true);
        }
        if (items) {
            *items = std::move(kinds);
        }
        return out;
    }

    QString orderList(bool directions) {
        QString out;
        do {
            if (!out.isEmpty()) {
                out += QStringLiteral(", ");
            }
            out += expression().text;
            if (directions && (atWord(u"asc") || atWord(u"desc"))) {
                out += u' ' + take();
            }
        } while (atSymbol(u",") && ++pos_);
        return out;
    }

    QString fromList() {
        QString out = fromItem();
        while (true) {
            if (atSymbol(u",")) {
                ++pos_;
                out += QStringLiteral(", ") + fromItem();
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
                return out;
            }
            out += join + u' ' + take() + u' ' + fromItem();
            if (atWord(u"on")) {
                ++pos_;
                out += QStringLiteral(" ON ") + expression().text;
            }
        }
    }

    QString fromItem() {
        QString out;
        if (atSymbol(u"(")) {
            ++pos_;
            out = u'(' + (atWord(u"select") ? select(nullptr) : fromList()) + u')';
            expectSymbol(u")");
        } else {
            out = dottedName();
        }
        return out + alias(Kind::Unknown);
    }

    // A value written into a column of the table; a computed amount is checked for an
    // overflow first, which the engine would otherwise store as a real number.
    QString valueFor(const QString& table, const QString& column, const Expr& value) const {
        if (schema_.find(table, column) != adCurrency) {
            return plain(value);
        }
        return value.kind == Kind::Currency ? QStringLiteral("CurCheck(") + value.text + u')'
                                            : scaled(value);
    }

    QString insert() {
        QString out = take();
        expectWord(u"into");
        QString table;
        out += QStringLiteral(" INTO ") + dottedName(nullptr, &table);
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
            const Expr value = insertValue();
            out += (index == 0 ? QString() : QStringLiteral(", ")) +
                   (index < columns.size() ? valueFor(table, columns[index], value) : value.text);
            ++index;
        } while (atSymbol(u",") && ++pos_);
        expectSymbol(u")");
        return out + u')';
    }

    // A value of a row to insert: a literal as the system writes them, taken directly,
    // else any expression.
    Expr insertValue() {
        const SqlToken* token = peek();
        const SqlToken* next = peek(1);
        const bool alone = next && (next->isSymbol(u",") || next->isSymbol(u")"));
        if (token && alone &&
            (token->kind == SqlToken::Number || token->kind == SqlToken::String ||
             token->isWord(u"null"))) {
            return primary();
        }
        return expression();
    }

    QString update() {
        QString out = take();
        QString table;
        out += u' ' + dottedName(nullptr, &table);
        expectWord(u"set");
        out += QStringLiteral(" SET ");
        QString separator;
        do {
            QString column;
            out += separator + dottedName(nullptr, &column);
            separator = QStringLiteral(", ");
            expectSymbol(u"=");
            out += QStringLiteral(" = ") + valueFor(table, column, expression());
        } while (atSymbol(u",") && ++pos_);
        if (atWord(u"where")) {
            ++pos_;
            out += QStringLiteral(" WHERE ") + expression().text;
        }
        return out;
    }

    QString remove() {
        QString out = take();
        if (atSymbol(u"*")) {
            out += u' ' + take();
        }
        expectWord(u"from");
        out += QStringLiteral(" FROM ") + fromList();
        if (atWord(u"where")) {
            ++pos_;
            out += QStringLiteral(" WHERE ") + expression().text;
        }
        return out;
    }

    Expr expression() {
        Expr left = conjunction();
        while (atWord(u"or")) {
            ++pos_;
            left = {left.text + QStringLiteral(" OR ") + conjunction().text, Kind::Bool};
        }
        return left;
    }

    Expr conjunction() {
        Expr left = negation();
        while (atWord(u"and")) {
            ++pos_;
            left = {left.text + QStringLiteral(" AND ") + negation().text, Kind::Bool};
        }
        return left;
    }

    Expr negation() {
        if (atWord(u"not")) {
            ++pos_;
            return {QStringLiteral("NOT ") + negation().text, Kind::Bool};
        }
        return comparison();
    }

    Expr comparison() {
        Expr left = sum();
        while (true) {
            static const QStringView operators[] = {u"=",  u"==", u"<",  u">",
                                                    u"<=", u">=", u"<>", u"!="};
            bool compared = false;
            for (QStringView op : operators) {
                if (atSymbol(op)) {
                    ++pos_;
                    const QStringList texts = comparable({left, sum()});
                    left = {texts[0] + u' ' + op.toString() + u' ' + texts[1], Kind::Bool};
                    compared = true;
                    break;
                }
            }
            if (compared) {
                continue;
            }
            if (atWord(u"is")) {
                ++pos_;
                QString text = left.text + QStringLiteral(" IS ");
                if (atWord(u"not")) {
                    ++pos_;
                    text += QStringLiteral("NOT ");
                }
                expectWord(u"null");
                left = {text + QStringLiteral("NULL"), Kind::Bool};
                continue;
            }
            const bool negated =
                atWord(u"not") && (atWord(u"between", 1) || atWord(u"like", 1) || atWord(u"in", 1));
            const QString no = negated ? QStringLiteral(" NOT") : QString();
            pos_ += negated ? 1 : 0;
            if (atWord(u"between")) {
                ++pos_;
                const Expr low = sum();
                expectWord(u"and");
                const QStringList texts = comparable({left, low, sum()});
                left = {texts[0] + no + QStringLiteral(" BETWEEN ") + texts[1] +
                            QStringLiteral(" AND ") + texts[2],
                        Kind::Bool};
            } else if (atWord(u"like")) {
                ++pos_;
                left = {textual(left) + no + QStringLiteral(" LIKE ") + textual(sum()), Kind::Bool};
            } else if (atWord(u"in")) {
                ++pos_;
                const QString list = inList(left);
                left = {left.text + no + QStringLiteral(" IN ") + list, Kind::Bool};
            } else if (negated) {
                throw NotUnderstood();
            } else {
                return left;
            }
        }
    }

    // The "(...)" after IN, its values compared with the left side.
    QString inList(Expr& left) {
        expectSymbol(u"(");
        if (atWord(u"select")) {
            std::vector<Kind> kinds;
            const QString query = select(&kinds);
            expectSymbol(u")");
            const bool currencyLeft = left.kind == Kind::Currency;
            const bool currencyRight = !kinds.empty() && kinds[0] == Kind::Currency;
            if (currencyLeft != currencyRight) {
                throw NotUnderstood();
            }
            return u'(' + query + u')';
        }
        std::vector<Expr> group{left};
        do {
            group.push_back(expression());
        } while (atSymbol(u",") && ++pos_);
        expectSymbol(u")");
        QStringList texts = comparable(group);
        left.text = texts.takeFirst();
        return u'(' + texts.join(QStringLiteral(", ")) + u')';
    }

    Expr sum() {
        Expr left = product();
        while (atSymbol(u"+") || atSymbol(u"-") || atSymbol(u"&") || atSymbol(u"||")) {
            const QString op = take();
            const Expr right = product();
            if (op == u"&" || op == u"||") {
                left = {textual(left) + u' ' + op + u' ' + textual(right), Kind::Text};
                continue;
            }
            const bool currency = left.kind == Kind::Currency || right.kind == Kind::Currency;
            if (currency && exactWithCurrency(left) && exactWithCurrency(right)) {
                left = {scaled(left) + u' ' + op + u' ' + scaled(right), Kind::Currency};
            } else if (currency) {
                const bool date = left.kind == Kind::Date || right.kind == Kind::Date;
                left = {numeric(left) + u' ' + op + u' ' + numeric(right),
                        date ? Kind::Date : Kind::Double};
            } else {
                Kind kind = arithmeticKind(left.kind, right.kind);
                if (left.kind == Kind::Date) {
                    kind = right.kind == Kind::Date ? Kind::Double : Kind::Date;
                }
                left = {left.text + u' ' + op + u' ' + right.text, kind};
            }
        }
        return left;
    }

    Expr product() {
        Expr left = unary();
        while (atSymbol(u"*") || atSymbol(u"/") || atSymbol(u"%") || atSymbol(u"\\") ||
               atWord(u"mod")) {
            const QString op = take();
            const Expr right = unary();
            const bool leftCurrency = left.kind == Kind::Currency;
            const bool rightCurrency = right.kind == Kind::Currency;
            if (op == u"*" && (leftCurrency || rightCurrency)) {
                const Expr& amount = leftCurrency ? left : right;
                const Expr& other = leftCurrency ? right : left;
                if (other.kind == Kind::Currency || other.kind == Kind::Null ||
                    (other.literal == Expr::Number && other.kind == Kind::Integer &&
                     isExactAmount(other))) {
                    left = {QStringLiteral("CurMul(") + amount.text + QStringLiteral(", ") +
                                scaled(other) + u')',
                            Kind::Currency};
                } else if (other.kind == Kind::Integer && other.literal == Expr::None) {
                    left = {amount.text + QStringLiteral(" * ") + other.text, Kind::Currency};
                } else {
                    left = {plain(left) + QStringLiteral(" * ") + plain(right), Kind::Double};
                }
            } else if (op == u"/" && leftCurrency && rightCurrency) {
                left = {left.text + QStringLiteral(" / ") + right.text, Kind::Double};
            } else if (op == u"/") {
                left = {plain(left) + QStringLiteral(" / ") + plain(right), Kind::Double};
            } else if (op == u"*") {
                left = {left.text + QStringLiteral(" * ") + right.text,
                        arithmeticKind(left.kind, right.kind)};
            } else {
                left = {plain(left) + u' ' + op + u' ' + plain(right), Kind::Unknown};
            }
        }
        return left;
    }

    Expr unary() {
        if (atSymbol(u"-") || atSymbol(u"+")) {
            const QString op = take();
            Expr operand = unary();
            if (operand.literal == Expr::Number && !operand.text.startsWith(u'-')) {
                operand.text = op == u"-" ? u'-' + operand.text : operand.text;
                return operand;
            }
            return {op + u' ' + operand.text, operand.kind};
        }
        return primary();
    }

    Expr primary() {
        const SqlToken* token = peek();
        if (!token) {
            throw NotUnderstood();
        }
        switch (token->kind) {
            case SqlToken::Number: {
                ++pos_;
                const bool whole = !token->text.contains(u'.') && !token->text.contains(u'e') &&
                                   !token->text.contains(u'E');
                return {token->text, whole ? Kind::Integer : Kind::Double, Expr::Number};
            }
            case SqlToken::String:
                ++pos_;
                return {token->text, Kind::Text, Expr::String};
            case SqlToken::DateLiteral: {
                // written as the engine's serial here, so that a row to insert usually
                // leaves the translation nothing to do
                ++pos_;
                const std::optional<QString> serial = engineDateText(token->text);
                return {serial ? u' ' + *serial + u' ' : token->text, Kind::Date};
            }
            case SqlToken::Symbol:
                if (token->isSymbol(u"(")) {
                    ++pos_;
                    Expr inner;
                    if (atWord(u"select")) {
                        std::vector<Kind> kinds;
                        inner.text = select(&kinds);
                        inner.kind = kinds.empty() ? Kind::Unknown : kinds[0];
                    } else {
                        inner = expression();
                    }
                    expectSymbol(u")");
                    return {u'(' + inner.text + u')', inner.kind};
                }
                throw NotUnderstood();
            default:
                break;
        }
        if (token->isWord(u"null")) {
            ++pos_;
            return {token->text, Kind::Null};
        }
        if (token->isWord(u"true") || token->isWord(u"false")) {
            ++pos_;
            return {token->text, Kind::Bool};
        }
        if (!isName(*token) || isClauseWord(*token)) {
            throw NotUnderstood();
        }
        if (atSymbol(u"(", 1)) {
            return call();
        }
        QString qualifier;
        QString column;
        const QString text = dottedName(&qualifier, &column);
        return {text, resolve(qualifier, column)};
    }

    Expr call() {
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
                inner += expression().text;
            }
            expectSymbol(u")");
            return {name + u'(' + inner + u')', Kind::Integer};
        }
        std::vector<Expr> args;
        if (!atSymbol(u")")) {
            do {
                args.push_back(expression());
            } while (atSymbol(u",") && ++pos_);
        }
        expectSymbol(u")");
        if (args.size() == 1) {
            const Expr& arg = args[0];
            const bool currency = arg.kind == Kind::Currency;
            if (lower == u"sum") {
                return {name + u'(' + arg.text + u')', currency || arg.kind == Kind::Integer
                                                           ? arg.kind
                                                       : isNumeric(arg.kind) ? Kind::Double
                                                                             : Kind::Unknown};
            }
            if (lower == u"avg") {
                return currency ? Expr{QStringLiteral("CurAvg(") + arg.text + u')', Kind::Currency}
                                : Expr{name + u'(' + arg.text + u')', Kind::Double};
            }
            if (lower == u"max" || lower == u"min" || lower == u"first" || lower == u"last") {
                return {name + u'(' + arg.text + u')', arg.kind};
            }
        }
        QStringList texts;
        for (const Expr& arg : args) {
            texts << plain(arg);
        }
        return {name + u'(' + texts.join(QStringLiteral(", ")) + u')', Kind::Unknown};
    }

    const std::vector<SqlToken>& tokens_;
    const SchemaTypes& schema_;
    const QHash<QString, Kind>& known_;
    std::optional<QStringList> tables_;
    size_t pos_ = 0;
    bool outerStar_ = false;
};

bool namesCurrencyColumn(const std::vector<SqlToken>& tokens, const SchemaTypes& schema) {
    const QStringList none;
    for (const SqlToken& token : tokens) {
        if (isName(token) &&
            schema.find(identifierName(token).section(u'.', -1), none) == adCurrency) {
            return true;
        }
    }
    return false;
}

// The part of a row to insert before its values, "INSERT INTO table [(columns)] VALUES (",
// with plain names: its rewritten text and whether each value goes into a currency column.
struct RowPlan {
    QString prefix;
    std::vector<bool> currency;
};

std::optional<RowPlan> rowPlan(const std::vector<SqlToken>& tokens, size_t& pos,
                               const SchemaTypes& schema) {
    const auto plainName = [](const SqlToken& token) {
        return isName(token) && (token.kind == SqlToken::Word || !token.text.contains(u'.'));
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
// bracket that ends the statement, rewritten as the parser would: each value follows its
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
        const SqlToken& token = tokens[pos];
        Expr value;
        switch (token.kind) {
            case SqlToken::Number: {
                const bool whole = !token.text.contains(u'.') && !token.text.contains(u'e') &&
                                   !token.text.contains(u'E');
                value = {token.text, whole ? Kind::Integer : Kind::Double, Expr::Number};
                break;
            }
            case SqlToken::String:
                value = {token.text, Kind::Text, Expr::String};
                break;
            case SqlToken::DateLiteral: {
                const std::optional<QString> serial = engineDateText(token.text);
                value = {serial ? u' ' + *serial + u' ' : token.text, Kind::Date};
                break;
            }
            default:
                if (!token.isWord(u"null")) {
                    return std::nullopt;
                }
                value = {token.text, Kind::Null};
                break;
        }
        if (index > 0) {
            out += u", ";
        }
        out += index < plan.currency.size() && plan.currency[index] ? scaled(value) : plain(value);
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

// The plans of the rows to insert met so far, by schema and by the statement's text up to
// its values: the rows of one table differ only in their values, which are all that is
// read again.
class RowPlans {
  public:
    std::optional<RowPlan> find(quint64 schema, QStringView head) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = plans_.constFind({schema, head.toString()});
        return found == plans_.constEnd() ? std::nullopt : std::optional<RowPlan>(*found);
    }
    void keep(quint64 schema, QStringView head, const RowPlan& plan) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (plans_.size() >= 256) {
            plans_.clear();
        }
        plans_.insert({schema, head.toString()}, plan);
    }

  private:
    std::mutex mutex_;
    QHash<QPair<quint64, QString>, RowPlan> plans_;
};

RowPlans& rowPlans() {
    static RowPlans plans;
    return plans;
}

// A row to insert as the system writes them, "INSERT INTO table [(columns)] VALUES (...)"
// with plain names and a single literal for each value, rewritten without the parser.
// `tokens` are those of the whole statement, without blanks, starting at `starts`.
std::optional<QString> literalRow(QStringView jetSql, const std::vector<SqlToken>& tokens,
                                  const std::vector<qsizetype>& starts, const SchemaTypes& schema) {
    size_t pos = 0;
    const std::optional<RowPlan> plan = rowPlan(tokens, pos, schema);
    if (!plan) {
        return std::nullopt;
    }
    std::optional<QString> row = rowValues(tokens, pos, *plan);
    const qsizetype cut = valuesStart(jetSql);
    if (row && cut >= 0 && pos < starts.size() && starts[pos] == cut) {
        rowPlans().keep(schema.id(), jetSql.left(cut), *plan);
    }
    return row;
}

// The same from a plan met before: only the values are read.
std::optional<QString> knownRow(QStringView jetSql, const SchemaTypes& schema) {
    const qsizetype cut = valuesStart(jetSql);
    if (cut < 0) {
        return std::nullopt;
    }
    const std::optional<RowPlan> plan = rowPlans().find(schema.id(), jetSql.left(cut));
    if (!plan) {
        return std::nullopt;
    }
    std::vector<SqlToken> tokens;
    for (SqlToken& token : tokenizeSql(jetSql.mid(cut))) {
        if (token.kind != SqlToken::Space) {
            tokens.push_back(std::move(token));
        }
    }
    return rowValues(tokens, 0, *plan);
}

}  // namespace

std::optional<ScaledStatement> scaleCurrency(QStringView jetSql, const SchemaTypes& schema) {
    if (std::optional<QString> row = knownRow(jetSql, schema)) {
        return ScaledStatement{std::move(*row), {}, {}, true};
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
    ScaledStatement result{jetSql.toString(), {}, {}, false};
    // An INSERT without a column list writes the table's columns without naming them.
    if ((tokens.empty() || !tokens.front().isWord(u"insert")) &&
        !namesCurrencyColumn(tokens, schema)) {
        return result;
    }
    result.typed = true;
    if (std::optional<QString> row = literalRow(jetSql, tokens, starts, schema)) {
        result.jetSql = std::move(*row);
        return result;
    }
    // An alias may be used before the item that gives it (an outer SELECT over a derived
    // table): each pass knows the aliases of the one before.
    QHash<QString, Kind> known;
    try {
        for (int pass = 0; pass < 4; ++pass) {
            Parser parser(tokens, schema, known);
            QString text;
            if (!parser.statement(text)) {
                result.typed = false;
                return result;
            }
            result.jetSql = text;
            result.columns = std::move(parser.columns);
            if (parser.aliases == known) {
                break;
            }
            known = std::move(parser.aliases);
        }
    } catch (const NotUnderstood&) {
        return std::nullopt;
    }
    for (auto it = known.cbegin(); it != known.cend(); ++it) {
        result.aliases.insert(it.key(), fieldTypeOf(it.value()));
    }
    return result;
}

}  // namespace jet
