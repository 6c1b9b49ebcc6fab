#include "ServerAnswer.h"

#include <libpq-fe.h>
#include <poll.h>

#include <QDeadlineTimer>
#include <cerrno>

namespace jet {

namespace {

void clearResult(pg_result* result) {
    PQclear(result);
}

// Waits until the socket is ready for `events` or the deadline has passed.
bool waitFor(pg_conn* connection, short events, const QDeadlineTimer& deadline) {
    pollfd socket{PQsocket(connection), events, 0};
    if (socket.fd < 0) {
        return false;
    }
    while (true) {
        const qint64 left = deadline.remainingTime();
        if (left == 0) {
            return false;
        }
        const int ready = poll(&socket, 1, static_cast<int>(qMin<qint64>(left, 1000)));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

// Sends what libpq still holds of the statement; the answer may start on the way.
bool flushed(pg_conn* connection, const QDeadlineTimer& deadline) {
    while (true) {
        const int pending = PQflush(connection);
        if (pending == 0) {
            return true;
        }
        if (pending < 0 || !waitFor(connection, POLLIN | POLLOUT, deadline) ||
            !PQconsumeInput(connection)) {
            return false;
        }
    }
}

}  // namespace

Error awaitAnswer(pg_conn* connection, int timeoutMs, ServerResult& result) {
    result = ServerResult(nullptr, clearResult);
    const QDeadlineTimer deadline(qMax(1, timeoutMs));
    if (!flushed(connection, deadline)) {
        return noAnswerError();
    }
    while (true) {
        while (PQisBusy(connection)) {
            if (!waitFor(connection, POLLIN, deadline) || !PQconsumeInput(connection)) {
                return noAnswerError();
            }
        }
        pg_result* next = PQgetResult(connection);
        if (!next) {
            break;
        }
        result.reset(next);
    }
    return result ? Error{} : noAnswerError();
}

Error noAnswerError() {
    return {errNotOpen, QStringLiteral("DataBaseサーバーに接続できませんでした。")};
}

}  // namespace jet
