#include "ServerSession.h"

#include <libpq-fe.h>

#include <vector>

#include "EngineError.h"
#include "ScaledCurrency.h"
#include "ServerAmountSteps.h"
#include "ServerError.h"
#include "ServerFieldValue.h"
#include "ServerSqlTranslator.h"
#include "ServerWrittenAmounts.h"

namespace jet {

namespace {

// Dates and texts as the layer reads them, whatever the server's own defaults are.
constexpr const char* kSessionOptions =
    "-c DateStyle=ISO -c standard_conforming_strings=on -c TimeZone=UTC";

// Seconds a connection may take to be made before it fails; the server is on this machine.
constexpr const char* kConnectTimeout = "10";

// The longest name (and password) the server takes whole, in bytes.
constexpr qsizetype kLongestName = 63;

// How much longer than the server's own statement timeout the program waits for an
// answer, so that a server at work gives its own failure first.
constexpr int kAnswerMarginMs = 2000;

// The tables and columns of the schemas on the search path, with their types, each
// table's columns in the order of its definition; a column of a domain (currency) has the
// domain's base type, as results report it.
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
    " AND pg_catalog.pg_table_is_visible(c.oid)"
    " ORDER BY c.oid, a.attnum";

void clearResult(pg_result* result) {
    PQclear(result);
}

}  // namespace

Error connectToServer(const ServerLogin& login, pg_conn*& connection) {
    connection = nullptr;
    // The server keeps names of 63 bytes and libpq reads every value up to a NUL: a
    // longer name would reach another database or user, one with a NUL a shorter one.
    for (const QString* value : {&login.database, &login.userName, &login.password}) {
        if (value->contains(QChar(u'\0')) || value->toUtf8().size() > kLongestName) {
            return makeError(errCannotOpen, QStringLiteral("a name or password the server "
                                                           "cannot take whole"));
        }
    }
    if (login.host.contains(QChar(u'\0'))) {
        return makeError(errCannotOpen, QStringLiteral("a server name with a NUL"));
    }
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
    // limit on the server: no wait there is one millisecond. A statement that runs longer
    // than the answer timeout is given up by the server itself.
    add("options", QString::fromLatin1(kSessionOptions) +
                       QStringLiteral(" -c lock_timeout=%1 -c statement_timeout=%2")
                           .arg(qMax(1, login.busyTimeoutMs))
                           .arg(qMax(1, login.answerTimeoutMs)));
    add("connect_timeout", QString::fromLatin1(kConnectTimeout));
    // Over TCP a server that is gone is found by the system too, not only by the wait.
    add("keepalives", QStringLiteral("1"));
    add("keepalives_idle", QStringLiteral("5"));
    add("keepalives_interval", QStringLiteral("2"));
    add("keepalives_count", QStringLiteral("3"));
    add("tcp_user_timeout", QString::number(answerWaitMs(login)));
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
    if (PQstatus(connection) != CONNECTION_OK || PQsetnonblocking(connection, 1) != 0) {
        const Error error = makeError(
            errCannotOpen,
            connection ? QString::fromUtf8(PQerrorMessage(connection)).trimmed() : QString());
        PQfinish(connection);
        connection = nullptr;
        return error;
    }
    return {};
}

int answerWaitMs(const ServerLogin& login) {
    return qMax(1, login.answerTimeoutMs) + kAnswerMarginMs;
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
    answerWaitMs_ = answerWaitMs(login);
    if (Error error = connectToServer(login, connection_)) {
        return error;
    }
    // The functions by which statements compute amounts as the file does.
    if (Error error = run(serverAmountFunctions(), errCannotOpen)) {
        close();
        return error;
    }
    return {};
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
    QByteArray sql;
    if (Error error = serverText(jetSql, sql)) {
        return error;
    }
    // The extended protocol runs one statement only: text after it is refused.
    ServerResult answered(nullptr, clearResult);
    if (Error error = answer(PQsendQueryParams(connection_, sql.constData(), 0, nullptr, nullptr,
                                               nullptr, nullptr, 0),
                             answered)) {
        return error;
    }
    const ExecStatusType status = PQresultStatus(answered.get());
    if (status == PGRES_EMPTY_QUERY) {
        return makeError(errSyntax, QStringLiteral("empty statement"));
    }
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        return serverError(connection_, answered.get(), errExecution);
    }
    result = std::move(answered);
    // A statement that changes the tables makes the next one read their types again.
    const QString verb = jetSql.trimmed().section(u' ', 0, 0);
    if (verb.compare(u"create", Qt::CaseInsensitive) == 0 ||
        verb.compare(u"alter", Qt::CaseInsensitive) == 0 ||
        verb.compare(u"drop", Qt::CaseInsensitive) == 0) {
        schema_.reset();
    }
    return {};
}

Error ServerSession::check(const QString& jetSql) {
    if (!connection_) {
        return makeError(errNotOpen);
    }
    QByteArray sql;
    if (Error error = serverText(jetSql, sql)) {
        return error;
    }
    ServerResult result(nullptr, clearResult);
    if (Error error = answer(PQsendPrepare(connection_, "", sql.constData(), 0, nullptr), result)) {
        return error;
    }
    return PQresultStatus(result.get()) == PGRES_COMMAND_OK
               ? Error{}
               : serverError(connection_, result.get(), errSyntax);
}

Error ServerSession::run(const char* engineSql, ErrorNumber otherwise, const char* expectedTag) {
    if (!connection_) {
        return makeError(errNotOpen);
    }
    ServerResult result(nullptr, clearResult);
    if (Error error = answer(PQsendQuery(connection_, engineSql), result)) {
        return error;
    }
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
        ServerResult result(nullptr, clearResult);
        if (connection_ && !answer(PQsendQuery(connection_, kColumnsQuery), result)) {
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

Error ServerSession::serverText(const QString& jetSql, QByteArray& sql) {
    const SchemaTypes& types = schema();
    if (!connection_) {
        return noAnswerError();
    }
    // The text goes to the server up to its first NUL: the rest would be lost, where the
    // file refuses the statement.
    if (jetSql.contains(QChar(u'\0'))) {
        return makeError(errSyntax, QStringLiteral("text found after the end of the statement"));
    }
    // What the file does not understand whole, it refuses; so does the server.
    const std::optional<ScaledStatement> scaled = scaleCurrency(jetSql, types);
    if (!scaled) {
        return makeError(errSyntax, QStringLiteral("金額の列を含む文の形を解釈できません。"));
    }
    sql = translateJetSqlForServer(
              roundWrittenAmounts(withServerAmountSteps(jetSql, scaled->steps), types))
              .toUtf8();
    return {};
}

Error ServerSession::answer(int sent, ServerResult& result) {
    const Error error = sent ? awaitAnswer(connection_, answerWaitMs_, result) : noAnswerError();
    if (error) {
        PQfinish(connection_);
        connection_ = nullptr;
    }
    return error;
}

}  // namespace jet
