#include "CraftedDatabases.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>

#include "TestDatabase.h"
#include "platform/jet/KeyDerivation.h"
#include "platform/jet/Session.h"

namespace CraftedDatabases {

namespace {

QString copyShipped(const QString& path, const QString& from = TestDatabase::shippedFilePath()) {
    QFile::remove(path);
    if (!QFile::copy(from, path)) {
        return "cannot copy " + from;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return {};
}

// Runs engine SQL on a copy of the shipped database at path, keyed with its password.
QString changed(const QString& path, const char* sql) {
    if (QString error = copyShipped(path); !error.isEmpty()) {
        return error;
    }
    sqlite3* db = nullptr;
    if (jet::Error error = jet::openKeyed(path, TestDatabase::password(), false, 2000, db)) {
        return error.description;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const QString error = rc == SQLITE_OK ? QString() : QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close_v2(db);
    return error;
}

QString schemaEntry(const QString& path, const char* table, const char* sql) {
    const QByteArray script = QByteArray(
                                  "PRAGMA writable_schema = ON; UPDATE sqlite_master SET "
                                  "sql = '") +
                              sql + "' WHERE name = '" + table + "';";
    return changed(path, script.constData());
}

// The first page of basic_tbl's rows.
int basicPage(const QString& path) {
    sqlite3* db = nullptr;
    int page = 0;
    if (!jet::openKeyed(path, TestDatabase::password(), false, 2000, db)) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name = 'basic_tbl'", -1,
                           &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW) {
            page = sqlite3_column_int(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return page;
}

QString rewritten(const QString& path, const std::function<void(QByteArray&)>& change) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return "cannot open " + path;
    }
    QByteArray bytes = file.readAll();
    change(bytes);
    file.resize(0);
    file.seek(0);
    return file.write(bytes) == bytes.size() ? QString() : "cannot write " + path;
}

}  // namespace

const std::vector<Case>& all() {
    static const std::vector<Case> cases = {
        {"a table created from a query in the schema", Kind::Damaged,
         [](const QString& path) {
             return schemaEntry(path, "basic_tbl", "CREATE TABLE basic_tbl AS SELECT 1");
         }},
        {"a schema entry that is not SQL", Kind::Damaged,
         [](const QString& path) {
             return schemaEntry(path, "TradeMast_tbl", "this is no statement at all");
         }},
        {"a truncated file", Kind::Damaged,
         [](const QString& path) {
             if (QString error = copyShipped(path); !error.isEmpty()) {
                 return error;
             }
             return rewritten(path, [](QByteArray& bytes) { bytes.truncate(bytes.size() / 2); });
         }},
        {"a page with flipped bytes", Kind::Damaged,
         [](const QString& path) {
             if (QString error = copyShipped(path); !error.isEmpty()) {
                 return error;
             }
             const int page = basicPage(path);
             if (page < 2) {
                 return QStringLiteral("no page of basic_tbl");
             }
             return rewritten(path, [page](QByteArray& bytes) {
                 for (qsizetype i = (page - 1) * 1024 + 100; i < (page - 1) * 1024 + 116; ++i) {
                     bytes[i] = static_cast<char>(~bytes[i]);
                 }
             });
         }},
        {"a keyed file with another key", Kind::Damaged,
         [](const QString& path) {
             const QByteArray key = jet::rawKeyText(QStringLiteral("ANOTHERKEY1"));
             return changed(path, ("PRAGMA rekey = \"" + key + "\";").constData());
         }},
        {"a plain file", Kind::Damaged,
         [](const QString& path) {
             return copyShipped(path, TestDatabase::stageFolder() + "/morvik2.mdb");
         }},
        {"a table missing", Kind::MissingTable,
         [](const QString& path) { return changed(path, "DROP TABLE basic_tbl;"); }},
    };
    return cases;
}

}  // namespace CraftedDatabases
