#include "RowStatements.h"

#include <sqlcipher/sqlite3.h>

#include "EngineError.h"
#include "JetSqlTranslator.h"
#include "ScaledCurrencyRows.h"

namespace jet {

namespace {

int bind(sqlite3_stmt* statement, int parameter, const BoundValue& value) {
    switch (value.kind) {
        case BoundValue::Null:
            return sqlite3_bind_null(statement, parameter);
        case BoundValue::Integer:
            return sqlite3_bind_int64(statement, parameter, value.integer);
        case BoundValue::Text: {
            const QByteArray text = value.text.toUtf8();
            return sqlite3_bind_text(statement, parameter, text.constData(),
                                     static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
    }
    return SQLITE_MISUSE;
}

}  // namespace

RowStatements::~RowStatements() {
    clear();
}

Error RowStatements::insert(sqlite3* db, const BoundRow& row) {
    QString jetSql = row.prefix;
    for (size_t i = 0; i < row.values.size(); ++i) {
        jetSql += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
    }
    jetSql += u')';
    sqlite3_stmt*& statement = statements_[jetSql];
    if (!statement) {
        const QByteArray engineSql = translateJetSql(jetSql).toUtf8();
        const int rc = sqlite3_prepare_v2(db, engineSql.constData(),
                                          static_cast<int>(engineSql.size()), &statement, nullptr);
        if (rc != SQLITE_OK) {
            statements_.remove(jetSql);
            return engineError(db, rc, errSyntax);
        }
    }
    int rc = SQLITE_OK;
    for (size_t i = 0; i < row.values.size() && rc == SQLITE_OK; ++i) {
        rc = bind(statement, static_cast<int>(i) + 1, row.values[i]);
    }
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        }
    }
    const Error error = rc == SQLITE_DONE ? Error{} : engineError(db, rc, errExecution);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return error;
}

void RowStatements::clear() {
    for (sqlite3_stmt* statement : std::as_const(statements_)) {
        sqlite3_finalize(statement);
    }
    statements_.clear();
}

}  // namespace jet
