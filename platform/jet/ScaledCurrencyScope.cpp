#include "ScaledCurrencyScope.h"

#include "SchemaTypes.h"

namespace jet {

ScaledCurrencyScope::ScaledCurrencyScope(const SchemaTypes& schema,
                                         const ScaledCurrencyScope* outer)
    : schema_(&schema), outer_(outer) {}

bool ScaledCurrencyScope::addTable(const QString& table, const QString& alias) {
    if (!schema_->isTable(table)) {
        return false;
    }
    sources_.push_back({asciiLower(alias.isEmpty() ? table : alias), table, {}});
    return true;
}

void ScaledCurrencyScope::addDerived(const QString& alias, std::vector<Column> columns) {
    sources_.push_back({asciiLower(alias), QString(), std::move(columns)});
}

void ScaledCurrencyScope::addItems(const std::vector<Column>& columns) {
    items_.insert(items_.end(), columns.begin(), columns.end());
}

std::optional<Kind> ScaledCurrencyScope::find(const QString& qualifier, const QString& name) const {
    const QString lowerQualifier = asciiLower(qualifier);
    for (const ScaledCurrencyScope* scope = this; scope; scope = scope->outer_) {
        if (qualifier.isEmpty()) {
            if (std::optional<Kind> kind = scope->findHere(name)) {
                return kind;
            }
            continue;
        }
        for (const Source& source : scope->sources_) {
            if (source.name == lowerQualifier) {
                return kindIn(source, name);
            }
        }
    }
    return std::nullopt;
}

std::optional<Kind> ScaledCurrencyScope::findHere(const QString& name) const {
    if (itemsFirst_) {
        if (std::optional<Kind> kind = item(name)) {
            return kind;
        }
    }
    for (const Source& source : sources_) {
        if (std::optional<Kind> kind = kindIn(source, name)) {
            return kind;
        }
    }
    return itemsFirst_ ? std::nullopt : item(name);
}

std::optional<Kind> ScaledCurrencyScope::item(const QString& name) const {
    const QString lower = asciiLower(name);
    for (const Column& column : items_) {
        if (column.name == lower) {
            return column.kind;
        }
    }
    return std::nullopt;
}

std::optional<Kind> ScaledCurrencyScope::kindIn(const Source& source, const QString& name) const {
    if (source.table.isEmpty()) {
        const QString lower = asciiLower(name);
        for (const Column& column : source.columns) {
            if (column.name == lower) {
                return column.kind;
            }
        }
        return std::nullopt;
    }
    const FieldType type = schema_->find(source.table, name);
    if (type != adEmpty) {
        return ScaledExpr::kindOf(type);
    }
    const QString lower = asciiLower(name);
    for (const QString& column : schema_->columns(source.table)) {
        if (asciiLower(column) == lower) {
            return Kind::Unknown;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<ScaledCurrencyScope::Column>> ScaledCurrencyScope::star(
    const QString& qualifier) const {
    const QString lowerQualifier = asciiLower(qualifier);
    std::optional<std::vector<Column>> result;
    for (const Source& source : sources_) {
        if (!qualifier.isEmpty() && source.name != lowerQualifier) {
            continue;
        }
        if (!result) {
            result.emplace();
        }
        if (source.table.isEmpty()) {
            result->insert(result->end(), source.columns.begin(), source.columns.end());
            continue;
        }
        for (const QString& column : schema_->columns(source.table)) {
            result->push_back(
                {asciiLower(column), ScaledExpr::kindOf(schema_->find(source.table, column))});
        }
    }
    return result;
}

}  // namespace jet
