// create-database: makes one database file of the installation from the schema.
//   create-database <schema.sql> <database file> [<password>]
// An existing file of that name is replaced. Without a password the file is not
// encrypted (the development copy).

#include <QFile>
#include <QString>
#include <cstdio>
#include <filesystem>

#include "platform/jet/Connection.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: create-database <schema.sql> <database file> [<password>]\n");
        return 2;
    }
    const QString schemaPath = QString::fromLocal8Bit(argv[1]);
    const QString databasePath = QString::fromLocal8Bit(argv[2]);
    const QString password = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();

    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "create-database: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString schemaSql = QString::fromUtf8(schema.readAll());

    std::error_code ignored;
    std::filesystem::remove(argv[2], ignored);
    const jet::Error error = jet::createDatabase(databasePath, password, schemaSql);
    if (error) {
        std::fprintf(stderr, "create-database: %s: %d %s\n", argv[2], error.number,
                     error.description.toUtf8().constData());
        std::filesystem::remove(argv[2], ignored);
        return 1;
    }
    return 0;
}
