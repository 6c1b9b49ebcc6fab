#include "SchemaCheck.h"

#include <sqlcipher/sqlite3.h>

#include <QHash>
#include <QMutex>
#include <QStringList>

#include "EngineError.h"

namespace jet {

namespace {

struct SchemaObject {
    QString type;
    QString table;
    QString sql;

    bool operator==(const SchemaObject&) const = default;
};

using Objects = QHash<QString, SchemaObject>;

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

// The file's objects by name; the engine's result code.
int readObjects(sqlite3* db, Objects& objects) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT name, type, tbl_name, sql FROM sqlite_master", -1,
                                &statement, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        objects.insert(text(statement, 0),
                       {text(statement, 1), text(statement, 2), text(statement, 3)});
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// The objects that schemaSql makes in an empty database, read once for each text.
const Objects* expectedObjects(const QString& schemaSql) {
    static QMutex mutex;
    static QHash<QString, Objects> known;
    QMutexLocker lock(&mutex);
    if (const auto found = known.constFind(schemaSql); found != known.constEnd()) {
        return &*found;
    }
    sqlite3* db = nullptr;
    Objects objects;
    int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, schemaSql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = readObjects(db, objects);
    }
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK || objects.isEmpty()) {
        return nullptr;
    }
    return &*known.insert(schemaSql, objects);
}

}  // namespace

Error checkSchema(sqlite3* db, const QString& schemaSql) {
    const Objects* expected = expectedObjects(schemaSql);
    if (!expected) {
        return makeError(errSyntax, QStringLiteral("the system's schema cannot be made"));
    }
    Objects found;
    if (const int rc = readObjects(db, found); rc != SQLITE_OK) {
        return engineError(db, rc, errCannotOpen);
    }
    // A table of the system that is not there (or has something else in its place) leaves
    // out its keys as well; whatever stands in its place is never read.
    QStringList missing;
    for (auto object = expected->constBegin(); object != expected->constEnd(); ++object) {
        if (object->type == QLatin1String("table") &&
            found.value(object.key()).type != QLatin1String("table")) {
            missing << object.key();
        }
    }
    qsizetype own = 0;
    for (auto object = found.constBegin(); object != found.constEnd(); ++object) {
        if (missing.contains(object.key())) {
            continue;
        }
        const auto system = expected->constFind(object.key());
        if (system == expected->constEnd() || !(*system == *object)) {
            return makeError(errCannotOpen, object->type + u' ' + object.key() +
                                                QStringLiteral(" is not the system's own"));
        }
        ++own;
    }
    for (const SchemaObject& object : *expected) {
        if (missing.contains(object.table)) {
            ++own;
        }
    }
    if (own != expected->size()) {
        return makeError(errCannotOpen, QStringLiteral("an index of a key is missing"));
    }
    return missing.isEmpty() ? Error{} : makeError(errTableNotFound, missing.join(u' '));
}

}  // namespace jet
