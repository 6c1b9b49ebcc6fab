#include "CraftedDatabases.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <functional>

#include "TestDatabase.h"
#include "platform/jet/KeyDerivation.h"
#include "platform/jet/Session.h"

namespace CraftedDatabases {

namespace {

QString shipped(bool keyed) {
    return keyed ? TestDatabase::shippedFilePath() : TestDatabase::stageFolder() + "/morvik2.mdb";
}

QString copied(const QString& from, const QString& path) {
    QFile::remove(path);
    if (!QFile::copy(from, path)) {
        return "cannot copy " + from;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return {};
}

// Runs engine SQL on a copy of the shipped database at path.
QString changed(const QString& path, const QString& password, const QByteArray& sql) {
    if (QString error = copied(shipped(!password.isEmpty()), path); !error.isEmpty()) {
        return error;
    }
    sqlite3* db = nullptr;
    if (jet::Error error = jet::openKeyed(path, password, false, 2000, db)) {
        return error.description;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message);
    const QString error = rc == SQLITE_OK ? QString() : QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close_v2(db);
    return error;
}

QString schemaEntry(const QString& path, const QString& password, const char* table,
                    const char* sql) {
    return changed(path, password,
                   QByteArray("PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = '") +
                       sql + "' WHERE name = '" + table + "';");
}

// The number of the first page of the table and the page size, or 0.
std::pair<int, int> firstPage(const QString& path, const QString& password, const char* table) {
    sqlite3* db = nullptr;
    std::pair<int, int> page{0, 0};
    if (!jet::openKeyed(path, password, false, 2000, db)) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM "
                           "sqlite_master WHERE name = ?",
                           -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, table, -1, SQLITE_STATIC);
        if (sqlite3_step(statement) == SQLITE_ROW) {
            page = {sqlite3_column_int(statement, 0), sqlite3_column_int(statement, 1)};
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

QString withFlippedPage(const QString& path, const QString& password, const char* table) {
    if (QString error = copied(shipped(!password.isEmpty()), path); !error.isEmpty()) {
        return error;
    }
    return flipPage(path, password, table);
}

QString flipPage(const QString& path, const QString& password, const char* table) {
    const auto [page, size] = firstPage(path, password, table);
    if (page < 2) {
        return QStringLiteral("no page of ") + table;
    }
    // The start of the page: its header, which every reading looks at.
    return rewritten(path, [page, size](QByteArray& bytes) {
        const qsizetype start = qsizetype{page - 1} * size;
        for (qsizetype i = start; i < start + 16; ++i) {
            bytes[i] = static_cast<char>(~bytes[i]);
        }
    });
}

QString withNewerFormat(const QString& path, const QString& password) {
    return changed(path, password,
                   "PRAGMA user_version = " + QByteArray::number(jet::kFileFormat + 1) + ";");
}

QString withMismatchedIndex(const QString& path, const QString& password) {
    QString error =
        changed(path, password, "INSERT INTO ClassifyMast_tbl VALUES ('001', 'a'), ('002', 'b');");
    if (!error.isEmpty()) {
        return error;
    }
    const int root = firstPage(path, password, "sqlite_autoindex_ClassifyMast_tbl_1").first;
    if (root < 2) {
        return QStringLiteral("no index of ClassifyMast_tbl");
    }
    // A table laid over the index's pages changes an entry of the index only.
    sqlite3* db = nullptr;
    if (jet::Error opened = jet::openKeyed(path, password, false, 2000, db)) {
        return opened.description;
    }
    char* message = nullptr;
    int rc = sqlite3_exec(db, "SELECT 1 FROM sqlite_master", nullptr, nullptr, &message);
    if (rc == SQLITE_OK) {
        sqlite3_test_control(SQLITE_TESTCTRL_IMPOSTER, db, "main", 1, root);
        rc = sqlite3_exec(db, "CREATE TABLE overlay (k, r, PRIMARY KEY (k, r)) WITHOUT ROWID",
                          nullptr, nullptr, &message);
        sqlite3_test_control(SQLITE_TESTCTRL_IMPOSTER, db, "main", 0, 0);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db,
                          "UPDATE overlay SET k = '009' WHERE k = '001'; PRAGMA writable_schema = "
                          "ON; DELETE FROM sqlite_master WHERE name = 'overlay';",
                          nullptr, nullptr, &message);
    }
    error = rc == SQLITE_OK ? QString() : QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close_v2(db);
    return error;
}

const std::vector<Case>& all() {
    static const std::vector<Case> cases = {
        {"a table created from a query in the schema", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             return schemaEntry(path, password, "basic_tbl", "CREATE TABLE basic_tbl AS SELECT 1");
         }},
        {"a schema entry that is not SQL", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             return schemaEntry(path, password, "TradeMast_tbl", "this is no statement at all");
         }},
        {"a truncated file", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             if (QString error = copied(shipped(!password.isEmpty()), path); !error.isEmpty()) {
                 return error;
             }
             return rewritten(path, [](QByteArray& bytes) { bytes.truncate(bytes.size() / 2); });
         }},
        {"a page with flipped bytes", Kind::Damaged, "basic_tbl",
         [](const QString& path, const QString& password) {
             return withFlippedPage(path, password, "basic_tbl");
         }},
        {"a file keyed with another key", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             if (password.isEmpty()) {
                 return copied(shipped(true), path);
             }
             return changed(
                 path, password,
                 "PRAGMA rekey = \"" + jet::rawKeyText(QStringLiteral("ANOTHERKEY1")) + "\";");
         }},
        {"a file of the other kind, plain or keyed", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             return copied(shipped(password.isEmpty()), path);
         }},
        {"an empty file", Kind::Damaged, nullptr,
         [](const QString& path, const QString&) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly | QIODevice::Truncate) ? QString()
                                                                          : "cannot write " + path;
         }},
        {"a file shorter than one page", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             if (QString error = copied(shipped(!password.isEmpty()), path); !error.isEmpty()) {
                 return error;
             }
             return rewritten(path, [](QByteArray& bytes) { bytes.truncate(512); });
         }},
        {"a schema entry nested beyond the engine's limits", Kind::Damaged, nullptr,
         [](const QString& path, const QString& password) {
             const QByteArray depth(100000, '(');
             const QByteArray sql = "CREATE TABLE TradeMast_tbl (Classify_No TEXT CHECK (" + depth +
                                    "1" + QByteArray(depth.size(), ')') + "))";
             return schemaEntry(path, password, "TradeMast_tbl", sql.constData());
         }},
        {"an endless view in place of a table", Kind::MissingTable, "basic_tbl",
         [](const QString& path, const QString& password) {
             return changed(path, password,
                            "DROP TABLE basic_tbl; CREATE VIEW basic_tbl AS WITH RECURSIVE "
                            "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT i AS "
                            "Trade_figure, i AS Unit_decimal, i AS Sum_decimal, i AS Class_flg, "
                            "i AS SeleUnit_flg, i AS Print_type, i AS tax, i AS Basic_Qu_fig, "
                            "i AS Basic_Quantity, i AS Picture_Flg FROM n;");
         }},
        {"a table missing", Kind::MissingTable, "basic_tbl",
         [](const QString& path, const QString& password) {
             return changed(path, password, "DROP TABLE basic_tbl;");
         }},
    };
    return cases;
}

const std::vector<Case>& outside() {
    static const std::vector<Case> cases = {
        {"a trigger inserting an endless query on each new class", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "CREATE TRIGGER endless AFTER INSERT ON ClassifyMast_tbl BEGIN INSERT INTO "
                 "ClassifyMast_tbl SELECT printf('%09d', i), 'x' FROM (WITH RECURSIVE n(i) AS "
                 "(SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT i FROM n); END;");
         }},
        {"a trigger emptying the closed months on each daily insert", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "CREATE TRIGGER emptying AFTER INSERT ON Management_Tbl BEGIN DELETE FROM "
                 "FixDeta_tbl; END;");
         }},
        {"triggers failing every write", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "CREATE TRIGGER failing BEFORE INSERT ON ClassifyMast_tbl BEGIN SELECT "
                 "RAISE(ABORT, 'UNIQUE constraint failed'); END; CREATE TRIGGER failing2 BEFORE "
                 "DELETE ON Management_Tbl BEGIN SELECT RAISE(ABORT, 'UNIQUE constraint "
                 "failed'); END;");
         }},
        {"a generated column formatting a huge text", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "INSERT INTO ClassifyMast_tbl VALUES ('001', 'a'), ('002', 'b'), ('003', 'c'); "
                 "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = 'CREATE TABLE "
                 "ClassifyMast_tbl (Classify_No TEXT NOT NULL, Classify_Name TEXT, Huge TEXT "
                 "GENERATED ALWAYS AS (printf(''%.*c'', 900000000, ''x'')) VIRTUAL, PRIMARY KEY "
                 "(Classify_No))' WHERE name = 'ClassifyMast_tbl';");
         }},
        {"a view beside the tables", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "CREATE VIEW extra AS SELECT * FROM basic_tbl;");
         }},
        {"an index beyond the keys", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "CREATE INDEX extra ON TradeMast_tbl (Trade_Name);");
         }},
        {"a table the system does not make", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "CREATE TABLE extra (a TEXT);");
         }},
        {"amounts of another column type", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "DROP TABLE TradeMast_tbl; CREATE TABLE TradeMast_tbl (Classify_No TEXT NOT "
                 "NULL, Trade_No TEXT NOT NULL, Trade_Name TEXT, Unit_Price REAL, Sales_Price "
                 "REAL, basic_Quantity REAL, PRIMARY KEY (Classify_No, Trade_No));");
         }},
        {"basic_tbl made from a query", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "DROP TABLE basic_tbl; CREATE TABLE basic_tbl AS SELECT 0 AS Trade_figure, 0 AS"
                 " Unit_decimal, 0 AS Sum_decimal, 0 AS Class_flg, 0 AS SeleUnit_flg, 0 AS "
                 "Print_type, 0 AS tax, 0 AS Basic_Qu_fig, 0 AS Basic_Quantity, 0 AS "
                 "Picture_Flg;");
         }},
        {"a format stamp of -1", Kind::Foreign, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "INSERT INTO ClassifyMast_tbl VALUES ('001', 'a'); INSERT INTO TradeMast_tbl "
                 "VALUES ('001', '0001', 'b', 5929500, 5929500, 0); PRAGMA user_version = -1;");
         }},
        {"a Null width", Kind::BadSettings, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "UPDATE basic_tbl SET Trade_figure = NULL;");
         }},
        {"price decimals 7", Kind::BadSettings, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "UPDATE basic_tbl SET Unit_decimal = 7;");
         }},
        {"width 300", Kind::BadSettings, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "UPDATE basic_tbl SET Trade_figure = 300;");
         }},
        {"text in a setting", Kind::BadSettings, nullptr,
         [](const QString& path, const QString& password) {
             return changed(path, password, "UPDATE basic_tbl SET Sum_decimal = 'abc';");
         }},
        {"a closed month that is no date", Kind::BadSettings, nullptr,
         [](const QString& path, const QString& password) {
             return changed(
                 path, password,
                 "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No) VALUES ('abc', '001',"
                 " '0001');");
         }},
    };
    return cases;
}

}  // namespace CraftedDatabases
