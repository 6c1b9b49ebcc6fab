#include "Connection.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "ConnectionText.h"
#include "EngineError.h"
#include "RowStatements.h"
#include "ScaledCurrencyRows.h"
#include "ServerSession.h"
#include "Session.h"
#include "SessionPool.h"
#include "TextDriver.h"

namespace jet {

namespace {

bool isJetProvider(const QString& provider) {
    return provider.trimmed().startsWith(QLatin1String("Microsoft.Jet.OLEDB."),
                                         Qt::CaseInsensitive);
}

bool isServerProvider(const QString& provider) {
    return provider.trimmed().compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0;
}

int tableCount(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    int count = 0;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'", -1,
                           &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        count = sqlite3_column_int(statement, 0);
    }
    sqlite3_finalize(statement);
    return count;
}

}  // namespace

struct Connection::Impl {
    std::shared_ptr<Session> session;
    std::shared_ptr<ServerSession> server;
    TextDriver textDriver;
    RowStatements rows;
    int busyTimeoutMs = 2000;
    int answerTimeoutMs = 30000;
};

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() {
    close();
}

Error Connection::open(const QString& connectionText) {
    return open(connectionText, QString(), QString());
}

Error Connection::open(const QString& connectionText, const QString& userName,
                       const QString& password) {
    close();
    const std::optional<ConnectionText> items = ConnectionText::parse(connectionText);
    if (!items) {
        return makeError(errConnectionText);
    }
    if (items->contains(u"Driver")) {
        if (!isTextDriver(items->value(u"Driver"))) {
            return makeError(errConnectionText,
                             QStringLiteral("Driver=") + items->value(u"Driver"));
        }
        return impl_->textDriver.open(items->value(u"DBQ"), impl_->busyTimeoutMs, impl_->session);
    }
    if (isServerProvider(items->value(u"Provider"))) {
        const QString server = items->value(u"Data Source").trimmed();
        const bool local = server.isEmpty() || server == QLatin1String("(local)");
        auto session = std::make_shared<ServerSession>();
        if (Error error =
                session->open({local ? QString() : server, items->value(u"location"), userName,
                               password, impl_->busyTimeoutMs, impl_->answerTimeoutMs})) {
            return error;
        }
        impl_->server = std::move(session);
        return {};
    }
    if (!isJetProvider(items->value(u"Provider"))) {
        return makeError(errConnectionText,
                         QStringLiteral("Provider=") + items->value(u"Provider"));
    }
    const QString path = items->value(u"Data Source");
    if (path.isEmpty()) {
        return makeError(errConnectionText, QStringLiteral("no Data Source"));
    }
    return SessionPool::open(
        {path, items->value(u"Jet OLEDB:Database Password"), items->value(u"Mode")},
        impl_->busyTimeoutMs, impl_->session);
}

void Connection::setBusyTimeout(int milliseconds) {
    impl_->busyTimeoutMs = milliseconds;
}

void Connection::setAnswerTimeout(int milliseconds) {
    impl_->answerTimeoutMs = milliseconds;
}

bool Connection::isOpen() const {
    return (impl_->session && impl_->session->isOpen()) ||
           (impl_->server && impl_->server->isOpen());
}

Error Connection::execute(const QString& sql) {
    if (!isOpen()) {
        return makeError(errNotOpen);
    }
    if (impl_->server) {
        ServerResult ignored(nullptr, nullptr);
        return impl_->server->query(sql, ignored);
    }
    // The next row of a table met before goes through its prepared statement.
    if (impl_->session->scaledCurrency()) {
        if (const std::optional<BoundRow> row =
                ScaledCurrencyRows::boundFromKnownPlan(sql, impl_->session->schema())) {
            return impl_->rows.insert(impl_->session->db(), *row);
        }
    }
    sqlite3_stmt* statement = nullptr;
    if (Error error = impl_->session->prepare(sql, statement)) {
        return error;
    }
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        rc = sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? Error{} : engineError(handle(), rc, errExecution);
}

Error Connection::check(const QString& sql) {
    if (!isOpen()) {
        return makeError(errNotOpen);
    }
    if (impl_->server) {
        return impl_->server->check(sql);
    }
    sqlite3_stmt* statement = nullptr;
    const Error error = impl_->session->prepare(sql, statement);
    sqlite3_finalize(statement);
    return error;
}

Error Connection::beginTrans() {
    return run("BEGIN", "BEGIN");
}

Error Connection::commitTrans() {
    return run("COMMIT", "COMMIT");
}

Error Connection::rollbackTrans() {
    return run("ROLLBACK", "ROLLBACK");
}

Error Connection::run(const char* sql, const char* serverTag) {
    if (!isOpen()) {
        return makeError(errNotOpen);
    }
    return impl_->server ? impl_->server->run(sql, errTransaction, serverTag)
                         : impl_->session->run(sql, errTransaction);
}

void Connection::close() {
    impl_->rows.clear();
    SessionPool::release(std::move(impl_->session));
    impl_->session.reset();
    if (impl_->server) {
        impl_->server->close();
        impl_->server.reset();
    }
}

sqlite3* Connection::handle() const {
    return impl_->session ? impl_->session->db() : nullptr;
}

std::shared_ptr<Session> Connection::session() const {
    return impl_->session;
}

std::shared_ptr<ServerSession> Connection::serverSession() const {
    return impl_->server;
}

Error createDatabase(const QString& path, const QString& password, const QString& schemaSql) {
    if (QFileInfo::exists(path)) {
        return makeError(errFileExists, path);
    }
    sqlite3* db = nullptr;
    if (Error error = openKeyed(path, password, true, 2000, db)) {
        QFile::remove(path);
        return error;
    }
    const QByteArray script = "BEGIN;\n" + schemaSql.toUtf8() +
                              "\n;PRAGMA user_version = " + QByteArray::number(kFileFormat) +
                              ";COMMIT;";
    const int rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, nullptr);
    Error error;
    if (rc != SQLITE_OK) {
        error = engineError(db, rc, errSyntax);
    } else if (tableCount(db) == 0) {
        error = makeError(errSyntax, QStringLiteral("the schema creates no table"));
    }
    sqlite3_close_v2(db);
    if (error) {
        QFile::remove(path);
    }
    return error;
}

}  // namespace jet
