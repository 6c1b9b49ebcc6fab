// create-database: makes one database of the installation from the schema.
//   create-database <schema.sql> <database file> [<password>]
//   create-database --server <schema-postgresql.sql> <database name> [<user name>]
// An existing file of that name is replaced. Without a password the file is not
// encrypted (the development copy).
// With --server the database is made on the PostgreSQL server of this machine, as
// libpq's defaults and environment find it (PGHOST, PGPORT, PGUSER); the password comes
// from PGPASSWORD or ~/.pgpass. An existing database of that name is left as it is and
// the tool fails.

#include <QFile>
#include <QString>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/jet/Connection.h"
#include "platform/jet/ServerDatabase.h"

namespace {

void printUsage() {
    std::fprintf(stderr,
                 "usage: create-database <schema.sql> <database file> [<password>]\n"
                 "       create-database --server <schema-postgresql.sql> <database name> "
                 "[<user name>]\n");
}

bool readSchema(const char* path, QString& schemaSql) {
    QFile schema(QString::fromLocal8Bit(path));
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "create-database: cannot read %s\n", path);
        return false;
    }
    schemaSql = QString::fromUtf8(schema.readAll());
    return true;
}

int report(const char* target, const jet::Error& error) {
    if (!error) {
        return 0;
    }
    std::fprintf(stderr, "create-database: %s: %d %s\n", target, error.number,
                 error.description.toUtf8().constData());
    return 1;
}

int createOnServer(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        printUsage();
        return 2;
    }
    QString schemaSql;
    if (!readSchema(argv[2], schemaSql)) {
        return 1;
    }
    jet::ServerLogin login;
    login.database = QString::fromLocal8Bit(argv[3]);
    login.userName = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QString();
    return report(argv[3], jet::createServerDatabase(login, schemaSql));
}

int createFile(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        printUsage();
        return 2;
    }
    QString schemaSql;
    if (!readSchema(argv[1], schemaSql)) {
        return 1;
    }
    const QString databasePath = QString::fromLocal8Bit(argv[2]);
    const QString password = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();

    std::error_code ignored;
    std::filesystem::remove(argv[2], ignored);
    const jet::Error error = jet::createDatabase(databasePath, password, schemaSql);
    if (error) {
        std::filesystem::remove(argv[2], ignored);
    }
    return report(argv[2], error);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--server") == 0) {
        return createOnServer(argc, argv);
    }
    return createFile(argc, argv);
}
