#include "Session.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPair>

#include "EngineError.h"
#include "JetFunctions.h"
#include "JetSqlTranslator.h"
#include "KeyDerivation.h"
#include "ScaledCurrency.h"

namespace jet {

namespace {

// Up to `end`, so that a NUL, where the engine stops reading, counts as text.
bool onlyBlanksAndSemicolons(const char* text, const char* end) {
    for (; text < end; ++text) {
        if (*text != ';' && *text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') {
            return false;
        }
    }
    return true;
}

// The first column of the rows of an engine statement: the number of the last row, the
// texts of all rows one after the other.
int readRows(sqlite3* db, const char* sql, QByteArray* text, int* number) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (text) {
            text->append(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                         sqlite3_column_bytes(statement, 0));
        }
        if (number) {
            *number = sqlite3_column_int(statement, 0);
        }
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// The statements that made the tables: files with the same text have the same types.
const char* const kSchemaText = "SELECT sql FROM sqlite_master";

// The declared types of the file's tables, shared by the files of the same schema text, so
// that opening a file again reads no table's columns.
std::shared_ptr<const SchemaTypes> typesOfSchema(sqlite3* db, const QByteArray& text) {
    static QMutex mutex;
    static QHash<QByteArray, std::shared_ptr<const SchemaTypes>> known;
    QMutexLocker lock(&mutex);
    std::shared_ptr<const SchemaTypes>& types = known[text];
    if (!types) {
        if (known.size() > 64) {
            known.clear();
        }
        auto loaded = std::make_shared<SchemaTypes>();
        loaded->load(db);
        known[text] = loaded;
        return loaded;
    }
    return types;
}

// A statement as the engine runs it and, in a file of scaled currency, its rewriting.
struct Translation {
    QString engineSql;
    QByteArray utf8;
    bool rowsOnly = false;  // an INSERT, UPDATE or DELETE
    ScaledStatement scaled;
};

// The statements met lately, translated: a statement run again is not read again. By the
// types of the file's schema (none for a file of the previous format) and the text. Rows to
// insert differ in their values each time and are not kept.
std::shared_ptr<const Translation> translation(QStringView jetSql, const SchemaTypes* schema) {
    static QMutex mutex;
    static QHash<QPair<quint64, QString>, std::shared_ptr<const Translation>> known;
    const bool keep = !jetSql.trimmed().startsWith(u"insert", Qt::CaseInsensitive);
    const QPair<quint64, QString> key{schema ? schema->id() : 0, jetSql.toString()};
    if (keep) {
        QMutexLocker lock(&mutex);
        if (const auto found = known.constFind(key); found != known.constEnd()) {
            return *found;
        }
    }
    auto made = std::make_shared<Translation>();
    if (schema) {
        std::optional<ScaledStatement> rewritten = scaleCurrency(jetSql, *schema);
        if (!rewritten) {
            return nullptr;
        }
        made->engineSql = translateJetSql(rewritten->jetSql);
        made->scaled = std::move(*rewritten);
    } else {
        made->engineSql = translateJetSql(jetSql);
    }
    made->utf8 = made->engineSql.toUtf8();
    const QString verb = made->engineSql.trimmed().section(u' ', 0, 0).toUpper();
    made->rowsOnly = verb == u"INSERT" || verb == u"UPDATE" || verb == u"DELETE";
    if (keep) {
        QMutexLocker lock(&mutex);
        if (known.size() >= 256) {
            known.clear();
        }
        known.insert(key, made);
    }
    return made;
}

}  // namespace

Error openKeyed(const QString& path, const QString& password, bool create, int busyTimeoutMs,
                sqlite3*& db, bool readOnly) {
    // A connection is only ever used by one thread at a time, so the engine need not lock
    // it on every call.
    const int flags = SQLITE_OPEN_NOMUTEX |
                      (readOnly ? SQLITE_OPEN_READONLY
                                : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, busyTimeoutMs);
        // The programs use no views; one that a file brings in place of a table could
        // run without end.
        rc = sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    }
    if (rc == SQLITE_OK) {
        if (!password.isEmpty()) {
            const QByteArray key = rawKeyText(password);
            rc = sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
            // Every keyed file, new ones too, keeps the SQLCipher 3 layout, so that files and
            // backups written by earlier versions of the programs open with the same key.
            if (rc == SQLITE_OK) {
                rc = sqlite3_exec(db, "PRAGMA cipher_compatibility = 3", nullptr, nullptr, nullptr);
            }
        }
    }
    if (rc != SQLITE_OK) {
        const Error error = engineError(db, rc, errCannotOpen);
        sqlite3_close_v2(db);
        db = nullptr;
        return error;
    }
    return {};
}

Session::~Session() {
    close();
}

Error openExistingFile(const QString& path, const QString& password, int busyTimeoutMs,
                       bool readOnly, sqlite3*& db) {
    const QFileInfo file(path);
    if (!file.isFile()) {
        return makeError(errFileNotFound, path);
    }
    // The engine would take an empty file for an empty database; for this system it
    // is a damaged one.
    if (file.size() == 0) {
        return makeError(errCannotOpen, QStringLiteral("file is empty"));
    }
    return openKeyed(path, password, false, busyTimeoutMs, db, readOnly);
}

Error Session::open(const QString& path, const QString& password, int busyTimeoutMs,
                    bool readOnly) {
    close();
    sqlite3* db = nullptr;
    if (Error error = openExistingFile(path, password, busyTimeoutMs, readOnly, db)) {
        return error;
    }
    // The key is checked only when the first page is read: read it now, so that a wrong
    // password or a damaged file shows up here and not on the first statement.
    int format = 0;
    QByteArray schemaText;
    int rc = registerJetFunctions(db);
    if (rc == SQLITE_OK) {
        rc = readRows(db, kSchemaText, &schemaText, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = readRows(db, "PRAGMA user_version", nullptr, &format);
    }
    if (rc != SQLITE_OK) {
        const Error error = engineError(db, rc, errCannotOpen);
        sqlite3_close_v2(db);
        return error;
    }
    db_ = db;
    schemaText_ = schemaText;
    if (Error error = settleFormat(readOnly, format)) {
        close();
        return error;
    }
    return {};
}

Error Session::settleFormat(bool readOnly, int format) {
    if (format > kFileFormat) {
        return makeError(
            errNewerFormat,
            QStringLiteral("このデータベースはより新しい版の形式（%1）で作られています。")
                .arg(format));
    }
    scaledCurrency_ = format == kFileFormat;
    if (scaledCurrency_ || readOnly || sqlite3_db_readonly(db_, "main") == 1) {
        return {};
    }
    bool unwritable = false;
    Error error = convertPreviousFormat(unwritable);
    scaledCurrency_ = !error && !unwritable;
    return error;
}

// Every currency column of the previous format to whole ten-thousandths, rounded as the
// previous release read them, and the format stamped, in one transaction.
Error Session::convertPreviousFormat(bool& unwritable) {
    const auto readOnlyCode = [](int code) {
        return (code & 0xff) == SQLITE_READONLY || (code & 0xff) == SQLITE_CANTOPEN ||
               (code & 0xff) == SQLITE_PERM;
    };
    int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        unwritable = readOnlyCode(rc);
        return unwritable ? Error{} : engineError(db_, rc, errCannotOpen);
    }
    SchemaTypes types;
    types.load(db_);
    const auto quoted = [](QString name) {
        return u'"' + name.replace(u'"', QStringLiteral("\"\"")) + u'"';
    };
    for (const auto& [table, column] : types.currencyColumns()) {
        const QString c = quoted(column);
        const QByteArray update =
            (QStringLiteral("UPDATE ") + quoted(table) + QStringLiteral(" SET ") + c +
             QStringLiteral(" = CurScale(") + c + QStringLiteral(") WHERE typeof(") + c +
             QStringLiteral(") IN ('integer', 'real')"))
                .toUtf8();
        if ((rc = sqlite3_exec(db_, update.constData(), nullptr, nullptr, nullptr)) != SQLITE_OK) {
            break;
        }
    }
    if (rc == SQLITE_OK) {
        const QByteArray stamp = "PRAGMA user_version = " + QByteArray::number(kFileFormat);
        rc = sqlite3_exec(db_, stamp.constData(), nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        return {};
    }
    const Error error = engineError(db_, rc, errCannotOpen);
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    unwritable = readOnlyCode(rc);
    return unwritable ? Error{} : error;
}

void Session::close() {
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    schema_.reset();
    schemaText_.reset();
}

Error Session::prepare(const QString& jetSql, sqlite3_stmt*& statement, QString* engineSql,
                       ScaledStatement* scaled) {
    statement = nullptr;
    if (!db_) {
        return makeError(errNotOpen);
    }
    const std::shared_ptr<const Translation> translated =
        translation(jetSql, scaledCurrency_ ? &schema() : nullptr);
    if (!translated) {
        return makeError(errSyntax, QStringLiteral("金額の列を含む文の形を解釈できません。"));
    }
    if (scaled && scaledCurrency_) {
        *scaled = translated->scaled;
    }
    const QByteArray& utf8 = translated->utf8;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &statement, &tail);
    if (rc != SQLITE_OK) {
        return engineError(db_, rc, errSyntax);
    }
    if (!statement || !onlyBlanksAndSemicolons(tail, utf8.constData() + utf8.size())) {
        const QString detail = statement
                                   ? QStringLiteral("text found after the end of the statement")
                                   : QStringLiteral("empty statement");
        sqlite3_finalize(statement);
        statement = nullptr;
        return makeError(errSyntax, detail);
    }
    if (engineSql) {
        *engineSql = translated->engineSql;
    }
    // A statement that changes the tables makes the next one read their types again.
    if (!sqlite3_stmt_readonly(statement) && !translated->rowsOnly) {
        schema_.reset();
        schemaText_.reset();
    }
    return {};
}

Error Session::run(const char* engineSql, ErrorNumber otherwise) {
    if (!db_) {
        return makeError(errNotOpen);
    }
    const int rc = sqlite3_exec(db_, engineSql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? Error{} : engineError(db_, rc, otherwise);
}

const SchemaTypes& Session::schema() {
    if (!schema_ && db_) {
        if (!schemaText_) {
            QByteArray text;
            readRows(db_, kSchemaText, &text, nullptr);
            schemaText_ = text;
        }
        schema_ = typesOfSchema(db_, *schemaText_);
    }
    if (!schema_) {
        schema_ = std::make_shared<const SchemaTypes>();
    }
    return *schema_;
}

}  // namespace jet
