#include "ServerError.h"

#include <libpq-fe.h>

#include "EngineError.h"
#include "ServerAnswer.h"
#include "platform/runtime/RuntimeError.h"

namespace jet {

namespace {

// The currency domain's range check, and a number beyond its type.
bool isOverflow(const QByteArray& state) {
    return state == "23514" || state == "22003";
}

ErrorNumber numberFor(const QByteArray& state, ErrorNumber otherwise) {
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
    if (isOverflow(state)) {
        return overflowError();
    }
    if (state == "57014") {
        return noAnswerError();  // given up by the server after the statement timeout
    }
    if (state == "22012") {
        return makeError(errExecution, vb::errorDescription(vb::errDivisionByZero));
    }
    if (state == "22023") {
        return makeError(errExecution, vb::errorDescription(vb::errInvalidProcedureCall));
    }
    if (message.isEmpty() && connection) {
        message = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
    }
    return makeError(numberFor(state, otherwise), message);
}

Error overflowError() {
    return makeError(errExecution, vb::errorDescription(vb::errOverflow));
}

}  // namespace jet
