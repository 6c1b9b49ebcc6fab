#include "ColumnTypeInference.h"

#include "SchemaTypes.h"

namespace jet {

ColumnTypeInference::ColumnTypeInference(const QString& engineSql,
                                         std::function<const SchemaTypes&()> schema)
    : schema_(std::move(schema)) {
    for (SqlToken& token : tokenizeSql(engineSql)) {
        if (token.kind != SqlToken::Space) {
            tokens_.push_back(std::move(token));
        }
    }
    bool outer = true;
    for (size_t i = 0; i < tokens_.size(); ++i) {
        if (!tokens_[i].isWord(u"select")) {
            continue;
        }
        std::vector<Range> items = selectList(i + 1);
        for (Range& item : items) {
            if (item.end - item.begin >= 3 && tokens_[item.end - 2].isWord(u"as") &&
                tokens_[item.end - 1].isName()) {
                aliases_.insert(asciiLower(identifierName(tokens_[item.end - 1])),
                                {item.begin, item.end - 2});
                item.end -= 2;
            }
            if (outer && item.end > item.begin && tokens_[item.end - 1].isSymbol(u"*") &&
                (item.end - item.begin == 1 || tokens_[item.end - 2].isSymbol(u"."))) {
                outerAligned_ = false;
            }
        }
        if (outer) {
            outerItems_ = std::move(items);
            outer = false;
        }
    }
}

std::vector<ColumnTypeInference::Range> ColumnTypeInference::selectList(size_t start) const {
    std::vector<Range> items;
    if (start < tokens_.size() &&
        (tokens_[start].isWord(u"distinct") || tokens_[start].isWord(u"all"))) {
        ++start;
    }
    size_t itemBegin = start;
    int depth = 0;
    size_t i = start;
    for (; i < tokens_.size(); ++i) {
        const SqlToken& token = tokens_[i];
        if (token.isSymbol(u"(")) {
            ++depth;
        } else if (token.isSymbol(u")")) {
            if (depth == 0) {
                break;
            }
            --depth;
        } else if (depth == 0 && token.isSymbol(u",")) {
            items.push_back({itemBegin, i});
            itemBegin = i + 1;
        } else if (depth == 0 && token.endsSelectList()) {
            break;
        }
    }
    if (i > itemBegin) {
        items.push_back({itemBegin, i});
    }
    return items;
}

FieldType ColumnTypeInference::typeOf(int column, const QString& columnName) {
    if (outerAligned_ && column >= 0 && static_cast<size_t>(column) < outerItems_.size()) {
        return infer(outerItems_[column]);
    }
    return resolve(QString(), columnName);
}

FieldType ColumnTypeInference::infer(Range range) {
    bool count = false;
    bool arithmetic = false;
    bool division = false;
    bool date = false;
    bool currency = false;
    bool comparison = false;
    for (size_t k = range.begin; k < range.end; ++k) {
        const SqlToken& token = tokens_[k];
        const bool followedBy = k + 1 < range.end;
        if (token.kind == SqlToken::Symbol) {
            const bool afterOpen =
                k > range.begin && (tokens_[k - 1].isSymbol(u"(") || tokens_[k - 1].isSymbol(u"."));
            static const QStringView comparisons[] = {u"=",  u"==", u"<",  u">",
                                                      u"<=", u">=", u"<>", u"!="};
            for (QStringView c : comparisons) {
                comparison = comparison || token.isSymbol(c);
            }
            if (token.isSymbol(u"/")) {
                division = arithmetic = true;
            } else if (token.isSymbol(u"+") || token.isSymbol(u"-") || token.isSymbol(u"%") ||
                       token.isSymbol(u"||") || (token.isSymbol(u"*") && !afterOpen)) {
                arithmetic = true;
            }
            continue;
        }
        if (!token.isName()) {
            continue;
        }
        if (followedBy && tokens_[k + 1].isSymbol(u"(")) {
            count = count || token.isWord(u"count");
            continue;
        }
        if (followedBy && tokens_[k + 1].isSymbol(u".")) {
            continue;
        }
        const bool qualified = k >= range.begin + 2 && tokens_[k - 1].isSymbol(u".");
        const FieldType type =
            resolve(qualified ? identifierName(tokens_[k - 2]) : QString(), identifierName(token));
        date = date || type == adDate;
        currency = currency || type == adCurrency;
    }
    if (comparison) {
        return adEmpty;
    }
    if (count) {
        return adInteger;
    }
    if (date && !arithmetic) {
        return adDate;
    }
    if (currency && !division) {
        return adCurrency;
    }
    return adEmpty;
}

FieldType ColumnTypeInference::resolve(const QString& qualifier, const QString& name) {
    const SchemaTypes& schema = schema_();
    const bool tableNamed = !qualifier.isEmpty() && schema.isTable(qualifier);
    const QString key = asciiLower(name);
    const auto alias = aliases_.constFind(key);
    if (!tableNamed && alias != aliases_.constEnd() && !resolving_.contains(key)) {
        resolving_.insert(key);
        const FieldType type = infer(*alias);
        resolving_.remove(key);
        if (type != adEmpty) {
            return type;
        }
    }
    return tableNamed ? schema.find(qualifier, name) : schema.find(name, mentionedTables());
}

const QStringList& ColumnTypeInference::mentionedTables() {
    if (!tables_) {
        tables_.emplace();
        const SchemaTypes& schema = schema_();
        for (const SqlToken& token : tokens_) {
            const QString name = identifierName(token);
            if (token.isName() && schema.isTable(name) && !tables_->contains(name)) {
                tables_->append(name);
            }
        }
    }
    return *tables_;
}

}  // namespace jet
