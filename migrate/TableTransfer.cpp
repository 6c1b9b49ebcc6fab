#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <optional>

#include "core/SqlValueText.h"
#include "modConvert.h"
#include "platform/jet/Connection.h"
#include "platform/jet/ConnectionText.h"
#include "platform/jet/Recordset.h"
#include "platform/runtime/RuntimeError.h"

namespace modConvert {

namespace {

bool quotedType(jet::FieldType type) {
    return type == jet::adVarWChar || type == jet::adDate;
}

QString csvField(const jet::Field& field) {
    if (quotedType(field.type)) {
        if (field.value.isNull() || field.value.isEmpty()) {
            return QStringLiteral("''");
        }
        return SqlValueText::Text(field.value.toString());
    }
    if (field.value.isNull() || field.value.isEmpty()) {
        return QString();
    }
    return SqlValueText::Value(field.value);
}

// The SQL value of one CSV field for a column of the type, or nothing when the field
// cannot be a value of that column.
std::optional<QString> sqlValue(const vb::Variant& field, jet::FieldType type) {
    if (field.isNull() || field.isEmpty()) {
        return QStringLiteral("Null");
    }
    QString text = field.toString();
    const bool quoted = text.size() >= 2 && text.startsWith(u'\'') && text.endsWith(u'\'');
    if (quoted) {
        text = text.mid(1, text.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    }
    if (type == jet::adDate) {
        if (text.trimmed().isEmpty()) {
            return QStringLiteral("Null");
        }
        const std::optional<vb::Date> date = vb::Date::parse(text.trimmed());
        return date ? std::optional<QString>(SqlValueText::DateValue(*date)) : std::nullopt;
    }
    if (type == jet::adVarWChar || quoted) {
        return SqlValueText::Text(text);
    }
    if (const std::optional<vb::Currency> amount = vb::Currency::parse(text.trimmed());
        amount && type == jet::adCurrency) {
        return SqlValueText::Number(*amount);
    }
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    try {
        return SqlValueText::Number(number);
    } catch (const vb::RuntimeError&) {
        return std::nullopt;
    }
}

bool insertRows(jet::Connection& database, jet::Recordset& source, const QString& table,
                const std::vector<int>& sourceColumns, const std::vector<jet::FieldType>& types,
                const QString& columns) {
    for (; !source.eof();) {
        QStringList values;
        for (size_t i = 0; i < sourceColumns.size(); ++i) {
            const std::optional<QString> value = sqlValue(source.value(sourceColumns[i]), types[i]);
            if (!value) {
                return false;
            }
            values << *value;
        }
        if (database.execute("INSERT INTO " + table + " (" + columns + ") VALUES (" +
                             values.join(u',') + ")")) {
            return false;
        }
        if (source.moveNext()) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString DatabaseConnection(const QString& path, const QString& password, bool readOnly) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + jet::ConnectionText::quote(path) +
           ";Jet OLEDB:Database Password=" + jet::ConnectionText::quote(password) + ";" +
           (readOnly ? QStringLiteral("Mode=Read;") : QString());
}

static bool exportTable(const QString& databasePath, const QString& password, const QString& table,
                        const QString& csvPath) {
    jet::Connection connection;
    if (connection.open(DatabaseConnection(databasePath, password, true))) {
        return false;
    }
    jet::Recordset rows;
    if (rows.open("SELECT * FROM " + table, connection)) {
        return false;
    }
    QFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QStringList names;
    for (int i = 0; i < rows.fieldCount(); ++i) {
        names << rows.field(i).name;
    }
    QByteArray out = names.join(u',').toUtf8() + "\r\n";
    while (!rows.eof()) {
        QStringList line;
        for (int i = 0; i < rows.fieldCount(); ++i) {
            line << csvField(rows.field(i));
        }
        out += line.join(u',').toUtf8() + "\r\n";
        if (rows.moveNext()) {
            return false;
        }
    }
    return file.write(out) == out.size() && file.flush();
}

static bool importTable(const QString& databasePath, const QString& password, const QString& table,
                        const QString& csvPath) {
    const QFileInfo csv(csvPath);
    jet::Connection text;
    if (text.open("Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" +
                  jet::ConnectionText::quote(csv.absolutePath()) + ";")) {
        return false;
    }
    jet::Connection database;
    if (database.open(DatabaseConnection(databasePath, password, false))) {
        return false;
    }
    jet::Recordset source;
    if (source.open("SELECT * FROM " + csv.fileName(), text)) {
        return false;
    }
    std::vector<jet::Field> targetFields;
    {
        jet::Recordset target;
        if (target.open("SELECT * FROM " + table, database)) {
            return false;
        }
        for (int i = 0; i < target.fieldCount(); ++i) {
            targetFields.push_back(target.field(i));
        }
    }
    std::vector<int> sourceColumns;
    std::vector<jet::FieldType> types;
    QStringList names;
    for (int i = 0; i < source.fieldCount(); ++i) {
        for (const jet::Field& field : targetFields) {
            if (field.name == source.field(i).name) {
                sourceColumns.push_back(i);
                types.push_back(field.type);
                names << field.name;
                break;
            }
        }
    }
    if (database.beginTrans()) {
        return false;
    }
    const bool stored = !database.execute("DELETE FROM " + table) &&
                        (names.isEmpty() ? source.eof()
                                         : insertRows(database, source, table, sourceColumns, types,
                                                      names.join(u',')));
    if (!stored) {
        database.rollbackTrans();
        return false;
    }
    return !database.commitTrans();
}

bool ExportTable(const QString& databasePath, const QString& password, const QString& table,
                 const QString& csvPath) {
    try {
        return exportTable(databasePath, password, table, csvPath);
    } catch (const vb::RuntimeError&) {
        return false;
    }
}

bool ImportTable(const QString& databasePath, const QString& password, const QString& table,
                 const QString& csvPath) {
    try {
        return importTable(databasePath, password, table, csvPath);
    } catch (const vb::RuntimeError&) {
        return false;
    }
}

}  // namespace modConvert
