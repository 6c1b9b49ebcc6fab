#include "ServerWrittenAmounts.h"

#include <vector>

#include "ScaledCurrencyRules.h"
#include "SchemaTypes.h"
#include "SqlLexer.h"

namespace jet {

namespace {

// The value `v` in ten-thousandths `s`, cut toward zero and taken one further away where
// the rest is over a half, or just a half beside an odd one. No Round: the statement is
// translated after this, and a Round there is the engine's own.
QString roundedHalfToEven(const QString& value) {
    return QStringLiteral(
               "(SELECT (trunc(s) + CASE WHEN abs(s - trunc(s)) > 0.5 OR (abs(s - trunc(s)) = "
               "0.5 AND mod(trunc(s), 2) <> 0) THEN sign(s) ELSE 0 END) * 0.0001 FROM (SELECT (") +
           value + QStringLiteral(")::numeric * 10000 AS s) AS written_amount)");
}

class Statement {
  public:
    Statement(QStringView jetSql, const SchemaTypes& schema)
        : tokens_(tokenizeSql(jetSql)), schema_(schema) {}

    QString rewritten() {
        if (word(u"insert")) {
            insert();
        } else if (word(u"update")) {
            update();
        }
        QString out;
        for (const SqlToken& token : tokens_) {
            out += token.text;
        }
        return out;
    }

  private:
    void skipSpace() {
        while (pos_ < tokens_.size() && tokens_[pos_].kind == SqlToken::Space) {
            ++pos_;
        }
    }
    const SqlToken* at() {
        skipSpace();
        return pos_ < tokens_.size() ? &tokens_[pos_] : nullptr;
    }
    bool word(QStringView text) {
        const SqlToken* token = at();
        if (token && token->isWord(text)) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool symbol(QStringView text) {
        const SqlToken* token = at();
        if (token && token->isSymbol(text)) {
            ++pos_;
            return true;
        }
        return false;
    }
    // A plain, bracketed or dotted name: its last part.
    QString name() {
        const SqlToken* token = at();
        if (!token || !token->isName()) {
            return QString();
        }
        QString last = identifierName(*token).section(u'.', -1);
        ++pos_;
        while (pos_ + 1 < tokens_.size() && tokens_[pos_].isSymbol(u".") &&
               tokens_[pos_ + 1].isName()) {
            last = identifierName(tokens_[pos_ + 1]);
            pos_ += 2;
        }
        return last;
    }

    // The tokens of one value, from here up to the "," or ")" at its own depth or a
    // WHERE outside brackets; the position ends on that token.
    std::pair<size_t, size_t> value() {
        skipSpace();
        const size_t start = pos_;
        int depth = 0;
        for (; pos_ < tokens_.size(); ++pos_) {
            const SqlToken& token = tokens_[pos_];
            if (token.isSymbol(u"(")) {
                ++depth;
            } else if (depth == 0 && (token.isSymbol(u",") || token.isSymbol(u")") ||
                                      token.isWord(u"where") || token.isSymbol(u";"))) {
                break;
            } else if (token.isSymbol(u")")) {
                --depth;
            }
        }
        size_t end = pos_;
        while (end > start && tokens_[end - 1].kind == SqlToken::Space) {
            --end;
        }
        return {start, end};
    }

    // A literal amount (a minus sign before it taken too) is written exactly as it is.
    bool isExactLiteral(size_t start, size_t end) const {
        if (end > start && tokens_[start].isSymbol(u"-")) {
            ++start;
            while (start < end && tokens_[start].kind == SqlToken::Space) {
                ++start;
            }
        }
        if (end != start + 1) {
            return false;
        }
        const std::optional<ScaledExpr> literal = ScaledExpr::literalOf(tokens_[start]);
        return literal && (literal->kind == Kind::Null ||
                           (literal->literal == ScaledExpr::Number && literal->isExactAmount()));
    }

    void write(const QString& table, const QString& column, std::pair<size_t, size_t> range) {
        const auto [start, end] = range;
        if (start >= end || schema_.find(table, column) != adCurrency ||
            isExactLiteral(start, end)) {
            return;
        }
        QString text;
        for (size_t i = start; i < end; ++i) {
            text += tokens_[i].text;
            tokens_[i].text.clear();
        }
        tokens_[start].text = roundedHalfToEven(text);
    }

    void insert() {
        if (!word(u"into")) {
            return;
        }
        const QString table = name();
        QStringList columns = schema_.columns(table);
        if (symbol(u"(")) {
            columns.clear();
            do {
                columns << name();
            } while (symbol(u","));
            if (!symbol(u")")) {
                return;
            }
        }
        if (!word(u"values") || !symbol(u"(")) {
            return;
        }
        for (qsizetype index = 0;; ++index) {
            const std::pair<size_t, size_t> range = value();
            if (index < columns.size()) {
                write(table, columns[index], range);
            }
            if (!symbol(u",")) {
                return;
            }
        }
    }

    void update() {
        const QString table = name();
        if (!word(u"set")) {
            return;
        }
        do {
            const QString column = name();
            if (!symbol(u"=")) {
                return;
            }
            write(table, column, value());
        } while (symbol(u","));
    }

    std::vector<SqlToken> tokens_;
    const SchemaTypes& schema_;
    size_t pos_ = 0;
};

}  // namespace

QString roundWrittenAmounts(QStringView jetSql, const SchemaTypes& schema) {
    return Statement(jetSql, schema).rewritten();
}

}  // namespace jet
