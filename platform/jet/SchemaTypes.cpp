#include "SchemaTypes.h"

#include <sqlcipher/sqlite3.h>

#include <atomic>

#include "SqlLexer.h"

namespace jet {

namespace {

QString columnText(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

QStringList tableNames(sqlite3* db) {
    QStringList names;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1,
                           &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            names << columnText(statement, 0);
        }
    }
    sqlite3_finalize(statement);
    return names;
}

}  // namespace

FieldType SchemaTypes::fromDeclaredType(QStringView declared) {
    const auto has = [declared](const char* part) {
        return declared.contains(QLatin1String(part), Qt::CaseInsensitive);
    };
    if (has("DATE") || has("TIME")) {
        return adDate;
    }
    if (has("CURRENCY") || has("MONEY")) {
        return adCurrency;
    }
    if (has("BOOL")) {
        return adBoolean;
    }
    if (has("INT")) {
        return adInteger;
    }
    if (has("CHAR") || has("TEXT") || has("CLOB")) {
        return adVarWChar;
    }
    if (has("REAL") || has("FLOA") || has("DOUB")) {
        return adDouble;
    }
    return adEmpty;
}

quint64 SchemaTypes::nextId() {
    static std::atomic<quint64> next{0};
    return ++next;
}

void SchemaTypes::load(sqlite3* db) {
    id_ = nextId();
    for (const QString& table : tableNames(db)) {
        QHash<QString, FieldType>& columns = tables_[asciiLower(table)];
        QString quoted = table;
        quoted.replace(u'"', QStringLiteral("\"\""));
        const QByteArray pragma = "PRAGMA table_info(\"" + quoted.toUtf8() + "\")";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, pragma.constData(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                const QString name = columnText(statement, 1);
                const QString column = asciiLower(name);
                const FieldType type = fromDeclaredType(columnText(statement, 2));
                order_[asciiLower(table)].append(name);
                if (type == adCurrency) {
                    currency_.append({table, name});
                }
                columns.insert(column, type);
                anyTable_.insert(column, type);  // the last table read wins; see find()
            }
        }
        sqlite3_finalize(statement);
    }
}

void SchemaTypes::add(QStringView table, QStringView column, FieldType type) {
    id_ = nextId();
    const QString key = asciiLower(column);
    tables_[asciiLower(table)].insert(key, type);
    anyTable_.insert(key, type);  // the last table read wins; see find()
    order_[asciiLower(table)].append(column.toString());
    if (type == adCurrency) {
        currency_.append({table.toString(), column.toString()});
    }
}

bool SchemaTypes::isTable(QStringView name) const {
    return tables_.contains(asciiLower(name));
}

FieldType SchemaTypes::find(QStringView table, QStringView column) const {
    return tables_.value(asciiLower(table)).value(asciiLower(column), adEmpty);
}

FieldType SchemaTypes::find(QStringView column, const QStringList& tables) const {
    const QString key = asciiLower(column);
    for (const QString& table : tables) {
        const auto found = tables_.constFind(asciiLower(table));
        if (found != tables_.constEnd() && found->contains(key)) {
            return found->value(key);
        }
    }
    return anyTable_.value(key, adEmpty);
}

QStringList SchemaTypes::columns(QStringView table) const {
    return order_.value(asciiLower(table));
}

QList<QPair<QString, QString>> SchemaTypes::currencyColumns() const {
    return currency_;
}

}  // namespace jet
