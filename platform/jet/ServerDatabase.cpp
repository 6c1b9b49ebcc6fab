#include "ServerDatabase.h"

#include <libpq-fe.h>

#include "EngineError.h"
#include "ServerError.h"
#include "ServerSession.h"

namespace jet {

namespace {

constexpr const char* kDuplicateDatabase = "42P04";

// Runs the server's own SQL (several statements allowed) on the connection, waiting for
// the answer no longer than `waitMs`; a failure whose SQLSTATE is `alreadyThere` gives
// errFileExists. The result of the last statement goes to `last` when asked for.
Error runScript(pg_conn* connection, int waitMs, const QByteArray& sql, ErrorNumber otherwise,
                const char* alreadyThere = nullptr, ServerResult* last = nullptr) {
    ServerResult result(nullptr, PQclear);
    if (!PQsendQuery(connection, sql.constData())) {
        return noAnswerError();
    }
    if (Error error = awaitAnswer(connection, waitMs, result)) {
        return error;
    }
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
        return alreadyThere && state && qstrcmp(state, alreadyThere) == 0
                   ? makeError(errFileExists)
                   : serverError(connection, result.get(), otherwise);
    }
    if (last) {
        *last = std::move(result);
    }
    return {};
}

int tableCount(pg_conn* connection, int waitMs) {
    ServerResult result(nullptr, PQclear);
    if (runScript(connection, waitMs,
                  "SELECT count(*) FROM pg_catalog.pg_tables"
                  " WHERE schemaname <> 'pg_catalog'"
                  " AND schemaname <> 'information_schema'",
                  errExecution, nullptr, &result)) {
        return 0;
    }
    return QByteArray(PQgetvalue(result.get(), 0, 0)).toInt();
}

QByteArray quotedIdentifier(pg_conn* connection, const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    char* quoted = PQescapeIdentifier(connection, utf8.constData(), utf8.size());
    const QByteArray text = quoted ? QByteArray(quoted) : QByteArray();
    PQfreemem(quoted);
    return text;
}

}  // namespace

Error createServerDatabase(const ServerLogin& login, const QString& schemaSql) {
    if (login.database.isEmpty()) {
        return makeError(errConnectionText, QStringLiteral("no database name"));
    }
    ServerLogin maintenance = login;
    maintenance.database = QStringLiteral("postgres");
    pg_conn* server = nullptr;
    if (Error error = connectToServer(maintenance, server)) {
        return error;
    }
    const QByteArray name = quotedIdentifier(server, login.database);
    const int waitMs = answerWaitMs(login);
    Error error = runScript(server, waitMs,
                            "CREATE DATABASE " + name +
                                " TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'",
                            errExecution, kDuplicateDatabase);
    if (error) {
        PQfinish(server);
        return error.number == errFileExists ? makeError(errFileExists, login.database) : error;
    }
    pg_conn* database = nullptr;
    error = connectToServer(login, database);
    if (!error) {
        error =
            runScript(database, waitMs, "BEGIN;\n" + schemaSql.toUtf8() + "\n;COMMIT;", errSyntax);
        if (!error && tableCount(database, waitMs) == 0) {
            error = makeError(errSyntax, QStringLiteral("the schema creates no table"));
        }
        PQfinish(database);
    }
    if (error) {
        runScript(server, waitMs, "DROP DATABASE IF EXISTS " + name, errExecution);
    }
    PQfinish(server);
    return error;
}

}  // namespace jet
