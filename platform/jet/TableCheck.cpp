#include "TableCheck.h"

#include <sqlcipher/sqlite3.h>

#include <QHash>

#include "EngineError.h"
#include "SchemaTypes.h"

namespace jet {

namespace {

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

// Runs a statement with one text parameter and hands each row to eachRow; the engine's
// result code.
template <typename EachRow>
int readRows(sqlite3* db, const char* sql, const QString& parameter, EachRow eachRow) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    const QByteArray bound = parameter.toUtf8();
    if (rc == SQLITE_OK) {
        rc = sqlite3_bind_text(statement, 1, bound.constData(), static_cast<int>(bound.size()),
                               SQLITE_STATIC);
    }
    while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        eachRow(statement);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

bool ofKind(FieldType declared, FieldType wanted) {
    if (wanted == adCurrency) {
        return declared == adCurrency || declared == adInteger || declared == adDouble;
    }
    return declared == wanted;
}

Error checkTable(sqlite3* db, const TableShape& shape) {
    QString type;
    QString sql;
    int rc = readRows(db, "SELECT type, sql FROM sqlite_master WHERE name = ?1 COLLATE NOCASE",
                      shape.name, [&](sqlite3_stmt* row) {
                          type = text(row, 0);
                          sql = text(row, 1);
                      });
    if (rc != SQLITE_OK) {
        return engineError(db, rc, errCannotOpen);
    }
    if (type.isEmpty()) {
        return makeError(errTableNotFound, shape.name);
    }
    // A view or a virtual table computes what it gives; only stored rows are read.
    if (type != QLatin1String("table") ||
        sql.simplified().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive)) {
        return makeError(errCannotOpen, shape.name + QStringLiteral(" is no table"));
    }
    QHash<QString, FieldType> declared;
    bool generated = false;
    rc = readRows(db, "SELECT name, type, hidden FROM pragma_table_xinfo(?1)", shape.name,
                  [&](sqlite3_stmt* row) {
                      generated = generated || sqlite3_column_int(row, 2) != 0;
                      declared.insert(text(row, 0).toLower(),
                                      SchemaTypes::fromDeclaredType(text(row, 1)));
                  });
    if (rc != SQLITE_OK) {
        return engineError(db, rc, errCannotOpen);
    }
    if (generated) {
        return makeError(errCannotOpen, shape.name + QStringLiteral(" has a generated column"));
    }
    for (const auto& [column, kind] : shape.columns) {
        const auto found = declared.constFind(column.toLower());
        if (found == declared.constEnd() || !ofKind(*found, kind)) {
            return makeError(errCannotOpen, shape.name + u'.' + column +
                                                QStringLiteral(" is missing or of another kind"));
        }
    }
    QStringList indexes;
    bool partial = false;
    rc = readRows(db, "SELECT name, partial FROM pragma_index_list(?1)", shape.name,
                  [&](sqlite3_stmt* row) {
                      indexes << text(row, 0);
                      partial = partial || sqlite3_column_int(row, 1) != 0;
                  });
    bool expression = false;
    for (const QString& index : indexes) {
        if (rc != SQLITE_OK) {
            break;
        }
        rc = readRows(db, "SELECT cid FROM pragma_index_xinfo(?1) WHERE key", index,
                      [&](sqlite3_stmt* row) {
                          expression = expression || sqlite3_column_int(row, 0) == -2;
                      });
    }
    if (rc != SQLITE_OK) {
        return engineError(db, rc, errCannotOpen);
    }
    if (partial || expression) {
        return makeError(
            errCannotOpen,
            shape.name + QStringLiteral(" has an index on an expression or a condition"));
    }
    return {};
}

}  // namespace

Error checkTables(sqlite3* db, const std::vector<TableShape>& tables) {
    for (const TableShape& shape : tables) {
        if (Error error = checkTable(db, shape)) {
            return error;
        }
    }
    return {};
}

}  // namespace jet
