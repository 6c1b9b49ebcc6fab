#include "TextDriver.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "EngineError.h"
#include "Session.h"

namespace jet {

namespace {

QString quoted(const QString& name) {
    QString text = name;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Reads one field from `i`; sets `endOfRecord` when the field ends its record.
std::optional<QString> readField(const QString& text, qsizetype& i, bool& endOfRecord) {
    QString value;
    bool any = false;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u',') {
            ++i;
            return any ? std::optional<QString>(value) : std::nullopt;
        }
        if (c == u'\r' || c == u'\n') {
            i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
            endOfRecord = true;
            return any ? std::optional<QString>(value) : std::nullopt;
        }
        if ((c == u'\'' || c == u'"') && !any) {
            const bool keep = c == u'\'';
            if (keep) {
                value += c;
            }
            for (++i; i < text.size(); ++i) {
                if (text[i] == c) {
                    if (i + 1 < text.size() && text[i + 1] == c) {
                        value += keep ? QString(2, c) : QString(c);
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i];
            }
            if (keep) {
                value += c;
            }
            any = true;
            continue;
        }
        value += c;
        any = true;
        ++i;
    }
    endOfRecord = true;
    return any ? std::optional<QString>(value) : std::nullopt;
}

std::vector<std::optional<QString>> readRecord(const QString& text, qsizetype& i) {
    std::vector<std::optional<QString>> fields;
    bool end = false;
    while (!end) {
        fields.push_back(readField(text, i, end));
    }
    return fields;
}

Error exec(Session& session, const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_exec(session.db(), utf8.constData(), nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? Error{} : engineError(session.db(), rc, errCannotOpen);
}

Error loadTable(Session& session, const QString& schema, const QString& name,
                const TextTable& table) {
    QStringList columns;
    QStringList marks;
    for (const QString& column : table.columns) {
        columns << quoted(column) + QStringLiteral(" TEXT");
        marks << QStringLiteral("?");
    }
    const QString target = quoted(schema) + u'.' + quoted(name);
    if (Error error = exec(
            session, QStringLiteral("CREATE TABLE ") + target + u'(' + columns.join(u',') + u')')) {
        return error;
    }
    const QByteArray insert = (QStringLiteral("INSERT INTO ") + target +
                               QStringLiteral(" VALUES(") + marks.join(u',') + u')')
                                  .toUtf8();
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(session.db(), insert.constData(), -1, &statement, nullptr);
    for (size_t r = 0; rc == SQLITE_OK && r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            const size_t k = static_cast<size_t>(c);
            if (k < row.size() && row[k]) {
                const QByteArray value = row[k]->toUtf8();
                sqlite3_bind_text(statement, static_cast<int>(c + 1), value.constData(),
                                  static_cast<int>(value.size()), SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_null(statement, static_cast<int>(c + 1));
            }
        }
        rc = sqlite3_step(statement) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_OK ? Error{} : makeError(errCannotOpen, name);
}

}  // namespace

bool readTextTable(const QString& path, TextTable& table) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    table = TextTable();
    qsizetype i = 0;
    if (text.isEmpty()) {
        return true;
    }
    const auto header = readRecord(text, i);
    QSet<QString> seen;
    for (size_t c = 0; c < header.size(); ++c) {
        QString name = header[c].value_or(QString()).trimmed();
        if (name.isEmpty() || seen.contains(name.toLower())) {
            name = QStringLiteral("F%1").arg(c + 1);
        }
        seen.insert(name.toLower());
        table.columns << name;
    }
    while (i < text.size()) {
        auto record = readRecord(text, i);
        if (record.size() == 1 && !record[0]) {
            continue;  // a blank line
        }
        table.rows.push_back(std::move(record));
    }
    return true;
}

bool isTextDriver(const QString& driver) {
    return driver.trimmed().compare(QLatin1String("{Microsoft Text Driver (*.txt; *.csv)}"),
                                    Qt::CaseInsensitive) == 0;
}

Error TextDriver::open(const QString& folder, int busyTimeoutMs,
                       std::shared_ptr<Session>& session) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        return makeError(errFileNotFound, folder);
    }
    workFolder_ = std::make_unique<QTemporaryDir>();
    const QString workFile = workFolder_->filePath(QStringLiteral("text.db"));
    sqlite3* db = nullptr;
    if (Error error = openKeyed(workFile, QString(), true, busyTimeoutMs, db)) {
        return error;
    }
    const int rc = sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) {
        return makeError(errCannotOpen, workFile);
    }
    auto opened = std::make_shared<Session>();
    if (Error error = opened->open(workFile, QString(), busyTimeoutMs)) {
        return error;
    }
    QSet<QString> schemas;
    const QFileInfoList files = dir.entryInfoList(
        {QStringLiteral("*.csv"), QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        TextTable table;
        if (!readTextTable(file.filePath(), table)) {
            return makeError(errCannotOpen, file.fileName());
        }
        if (table.columns.isEmpty()) {
            continue;  // an empty file has no columns to show
        }
        const QString schema = file.completeBaseName();
        if (!schemas.contains(schema.toLower())) {
            // Beyond the engine's limit of attached schemas a file stays out of reach:
            // a statement naming it fails as for a missing table.
            if (exec(*opened, QStringLiteral("ATTACH ':memory:' AS ") + quoted(schema))) {
                continue;
            }
            schemas.insert(schema.toLower());
        }
        if (Error error = loadTable(*opened, schema, file.suffix(), table)) {
            return error;
        }
    }
    session = std::move(opened);
    return {};
}

}  // namespace jet
