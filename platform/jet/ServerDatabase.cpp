#include "ServerDatabase.h"

#include <libpq-fe.h>

#include "EngineError.h"
#include "ServerError.h"

namespace jet {

namespace {

constexpr const char* kDuplicateDatabase = "42P04";

// Runs the server's own SQL (several statements allowed) on the connection; a failure
// whose SQLSTATE is `alreadyThere` gives errFileExists.
Error runScript(pg_conn* connection, const QByteArray& sql, ErrorNumber otherwise,
                const char* alreadyThere = nullptr) {
    PGresult* result = PQexec(connection, sql.constData());
    const ExecStatusType status = PQresultStatus(result);
    Error error;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
        error = alreadyThere && state && qstrcmp(state, alreadyThere) == 0
                    ? makeError(errFileExists)
                    : serverError(connection, result, otherwise);
    }
    PQclear(result);
    return error;
}

int tableCount(pg_conn* connection) {
    PGresult* result = PQexec(connection,
                              "SELECT count(*) FROM pg_catalog.pg_tables"
                              " WHERE schemaname <> 'pg_catalog'"
                              " AND schemaname <> 'information_schema'");
    const int count = PQresultStatus(result) == PGRES_TUPLES_OK
                          ? QByteArray(PQgetvalue(result, 0, 0)).toInt()
                          : 0;
    PQclear(result);
    return count;
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
    Error error = runScript(server,
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
        error = runScript(database, "BEGIN;\n" + schemaSql.toUtf8() + "\n;COMMIT;", errSyntax);
        if (!error && tableCount(database) == 0) {
            error = makeError(errSyntax, QStringLiteral("the schema creates no table"));
        }
        PQfinish(database);
    }
    if (error) {
        runScript(server, "DROP DATABASE IF EXISTS " + name, errExecution);
    }
    PQfinish(server);
    return error;
}

}  // namespace jet
