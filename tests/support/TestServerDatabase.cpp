#include "TestServerDatabase.h"

#include <libpq-fe.h>

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>

#include "core/AccessADOClass.h"
#include "platform/jet/ServerDatabase.h"

namespace {

QAtomicInt serial;

}  // namespace

TestServerDatabase::TestServerDatabase(NameOnly)
    : name_(QStringLiteral("morvik_test_%1_%2")
                .arg(QCoreApplication::applicationPid())
                .arg(serial.fetchAndAddRelaxed(1))) {
    if (qEnvironmentVariableIsEmpty("PGHOST")) {
        error_ = "no PostgreSQL server: start one with eval \"$(scripts/start-postgres.sh)\"";
    }
}

TestServerDatabase::TestServerDatabase() : TestServerDatabase(NameOnly{}) {
    if (!isValid()) {
        return;
    }
    QFile schema(schemaPath());
    if (!schema.open(QIODevice::ReadOnly)) {
        error_ = "cannot read " + schemaPath();
        return;
    }
    const jet::Error error = jet::createServerDatabase({QString(), name_, userName(), password()},
                                                       QString::fromUtf8(schema.readAll()));
    if (error) {
        error_ = QString::number(error.number) + ' ' + error.description;
    }
}

TestServerDatabase::~TestServerDatabase() {
    if (!isValid()) {
        return;
    }
    const char* const keys[] = {"dbname", nullptr};
    const char* const values[] = {"postgres", nullptr};
    PGconn* server = PQconnectdbParams(keys, values, 0);
    if (PQstatus(server) == CONNECTION_OK) {
        const QByteArray sql = "DROP DATABASE IF EXISTS \"" + name_.toUtf8() + "\" WITH (FORCE)";
        PQclear(PQexec(server, sql.constData()));
    }
    PQfinish(server);
}

QString TestServerDatabase::userName() {
    return qEnvironmentVariable("PGUSER");
}

QString TestServerDatabase::password() {
    return qEnvironmentVariable("PGPASSWORD");
}

QString TestServerDatabase::schemaPath() {
    return QStringLiteral(MORVIK_SERVER_SCHEMA);
}

void TestServerDatabase::configure(AccessADOClass& access) const {
    access.Provider(1);
    access.DBName(name_);
    access.UserName(userName());
    access.Password(password());
}
