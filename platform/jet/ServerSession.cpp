#include "ServerSession.h"

#include <libpq-fe.h>

#include <vector>

#include "EngineError.h"
#include "ServerError.h"
#include "ServerFieldValue.h"
#include "ServerSqlTranslator.h"

namespace jet {

namespace {

// Dates and texts as the layer reads them, whatever the server's own defaults are.
constexpr const char* kSessionOptions =
    "-c DateStyle=ISO -c standard_conforming_strings=on -c TimeZone=UTC";

// Seconds a connection may take to be made before it fails; the server is on this machine.
constexpr const char* kConnectTimeout = "10";

// The tables and columns of the schemas on the search path, with their types; a
// column of a domain (currency) has the domain's base type, as results report it.
constexpr const char* kColumnsQuery =
    "SELECT c.relname, a.attname,"
    " CASE WHEN t.typtype = 'd' THEN t.typbasetype ELSE a.atttypid END,"
    " CASE WHEN t.typtype = 'd' THEN t.typtypmod ELSE a.atttypmod END"
    " FROM pg_catalog.pg_attribute a"
    " JOIN pg_catalog.pg_type t ON t.oid = a.atttypid"
    " JOIN pg_catalog.pg_class c ON c.oid = a.attrelid"
    " JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace"
    " WHERE c.relkind IN ('r', 'p', 'v') AND a.attnum > 0 AND NOT a.attisdropped"
    " AND n.nspname <> 'pg_catalog' AND n.nspname <> 'information_schema'"
    " AND pg_catalog.pg_table_is_visible(c.oid)";

void clearResult(pg_result* result) {
    PQclear(result);
}

}  // namespace

Error connectToServer(const ServerLogin& login, pg_conn*& connection) {
    std::vector<QByteArray> keys;
    std::vector<QByteArray> values;
    const auto add = [&](const char* key, const QString& value) {
        if (!value.isEmpty()) {
            keys.emplace_back(key);
            values.push_back(value.toUtf8());
        }
    };
    add("host", login.host);
    add("dbname", login.database);
    add("user", login.userName);
    add("password", login.password);
    add("client_encoding", QStringLiteral("UTF8"));
    // A statement that waits for rows or a table another connection holds gives up after
    // the busy timeout (SQLSTATE 55P03, the busy result), as on the file. 0 means no
    // limit on the server: no wait there is one millisecond.
    add("options", QString::fromLatin1(kSessionOptions) +
                       QStringLiteral(" -c lock_timeout=%1").arg(qMax(1, login.busyTimeoutMs)));
    add("connect_timeout", QString::fromLatin1(kConnectTimeout));
    add("application_name", QStringLiteral("morvik2"));
    std::vector<const char*> keyList;
    std::vector<const char*> valueList;
    for (size_t i = 0; i < keys.size(); ++i) {
        keyList.push_back(keys[i].constData());
        valueList.push_back(values[i].constData());
    }
    keyList.push_back(nullptr);
    valueList.push_back(nullptr);
    // expand_dbname 0: the database name is a name, never a connection string.
    connection = PQconnectdbParams(keyList.data(), valueList.data(), 0);
    if (PQstatus(connection) != CONNECTION_OK) {
        const Error error = makeError(
            errCannotOpen,
            connection ? QString::fromUtf8(PQerrorMessage(connection)).trimmed() : QString());
        PQfinish(connection);
        connection = nullptr;
        return error;
    }
    return {};
}

ServerSession::~ServerSession() {
    close();
}

Error ServerSession::open(const ServerLogin& login) {
    close();
    // Without a name libpq would pick a database of its own (PGDATABASE, the user's).
    if (login.database.trimmed().isEmpty()) {
        return makeError(errCannotOpen, QStringLiteral("no database name"));
    }
    return connectToServer(login, connection_);
}

void ServerSession::close() {
    if (connection_) {
        PQfinish(connection_);
        connection_ = nullptr;
    }
    schema_.reset();
}

Error ServerSession::query(const QString& jetSql, ServerResult& result) {
    result = ServerResult(nullptr, clearResult);
    if (!connection_) {
        return makeError(errNotOpen);
    }
    const QByteArray sql = translateJetSqlForServer(jetSql).toUtf8();
    // The extended protocol runs one statement only: text after it is refused.
    ServerResult answer(
        PQexecParams(connection_, sql.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0),
        clearResult);
    const ExecStatusType status = PQresultStatus(answer.get());
    if (status == PGRES_EMPTY_QUERY) {
        return makeError(errSyntax, QStringLiteral("empty statement"));
    }
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        return serverError(connection_, answer.get(), errExecution);
    }
    result = std::move(answer);
    return {};
}

Error ServerSession::check(const QString& jetSql) {
    if (!connection_) {
        return makeError(errNotOpen);
    }
    const QByteArray sql = translateJetSqlForServer(jetSql).toUtf8();
    const ServerResult result(PQprepare(connection_, "", sql.constData(), 0, nullptr), clearResult);
    return PQresultStatus(result.get()) == PGRES_COMMAND_OK
               ? Error{}
               : serverError(connection_, result.get(), errSyntax);
}

Error ServerSession::run(const char* engineSql, ErrorNumber otherwise, const char* expectedTag) {
    if (!connection_) {
        return makeError(errNotOpen);
    }
    const ServerResult result(PQexec(connection_, engineSql), clearResult);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
        return serverError(connection_, result.get(), otherwise);
    }
    if (expectedTag && qstrcmp(PQcmdStatus(result.get()), expectedTag) != 0) {
        return makeError(otherwise, QString::fromUtf8(PQcmdStatus(result.get())));
    }
    return {};
}

const SchemaTypes& ServerSession::schema() {
    if (!schema_) {
        schema_.emplace();
        if (connection_) {
            const ServerResult result(PQexec(connection_, kColumnsQuery), clearResult);
            if (PQresultStatus(result.get()) == PGRES_TUPLES_OK) {
                for (int row = 0; row < PQntuples(result.get()); ++row) {
                    schema_->add(
                        QString::fromUtf8(PQgetvalue(result.get(), row, 0)),
                        QString::fromUtf8(PQgetvalue(result.get(), row, 1)),
                        serverFieldType(QByteArray(PQgetvalue(result.get(), row, 2)).toUInt(),
                                        QByteArray(PQgetvalue(result.get(), row, 3)).toInt()));
                }
            }
        }
    }
    return *schema_;
}

}  // namespace jet
