#include "ServerError.h"

#include <libpq-fe.h>

#include "EngineError.h"

namespace jet {

namespace {

ErrorNumber numberFor(const QByteArray& state, ErrorNumber otherwise) {
    if (state == "23514") {
        return errExecution;  // an amount beyond the currency range, an overflow on the file
    }
    if (state.startsWith("23")) {
        return errDuplicateKey;  // every constraint, as the file reports them
    }
    if (state.startsWith("42")) {
        return errSyntax;  // syntax, unknown table or column, mismatched types
    }
    if (state == "40001" || state == "40P01" || state == "55P03") {
        return errBusy;
    }
    if (state.startsWith("08") || state.startsWith("57P")) {
        return errNotOpen;
    }
    return otherwise;
}

}  // namespace

Error serverError(pg_conn* connection, const pg_result* result, ErrorNumber otherwise) {
    QByteArray state;
    QString message;
    if (result) {
        state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
        message = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    }
    if (message.isEmpty() && connection) {
        message = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
    }
    return makeError(numberFor(state, otherwise), message);
}

}  // namespace jet
