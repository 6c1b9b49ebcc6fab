#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "core/AccessADOClass.h"
#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"
#include "platform/jet/SqlLexer.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestServerDatabase.h"

namespace {

// Table -> its columns in order, with their field types, names in lower case.
using Tables = std::map<QString, std::vector<std::pair<QString, jet::FieldType>>>;

QStringList column0(jet::Connection& connection, const QString& sql) {
    QStringList values;
    jet::Recordset records;
    EXPECT_FALSE(records.open(sql, connection)) << sql.toStdString();
    for (; !records.eof(); records.moveNext()) {
        values << records.value(0).toString();
    }
    return values;
}

Tables tablesOf(jet::Connection& connection, const QString& tablesQuery) {
    Tables tables;
    for (const QString& table : column0(connection, tablesQuery)) {
        jet::Recordset records;
        EXPECT_FALSE(records.open("SELECT * FROM " + table, connection)) << table.toStdString();
        auto& columns = tables[jet::asciiLower(table)];
        for (int i = 0; i < records.fieldCount(); ++i) {
            columns.emplace_back(jet::asciiLower(records.field(i).name), records.field(i).type);
        }
    }
    return tables;
}

// The server's schema has the file's tables, columns (in the same order) and kinds, and
// the same default rows.
TEST(ServerSchemaTest, TheServerSchemaMatchesTheFileSchema) {
    TestDatabase file;
    ASSERT_TRUE(file.isValid()) << file.error().toStdString();
    TestServerDatabase server;
    ASSERT_TRUE(server.isValid()) << server.error().toStdString();

    jet::Connection onFile;
    ASSERT_FALSE(onFile.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.filePath() +
                             ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";"));
    jet::Connection onServer;
    ASSERT_FALSE(
        onServer.open("Provider=PostgreSQL;Data Source=(local);location=" + server.name() + ";",
                      TestServerDatabase::userName(), TestServerDatabase::password()));

    const Tables fileTables =
        tablesOf(onFile, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    const Tables serverTables = tablesOf(onServer,
                                         "SELECT table_name FROM information_schema.tables"
                                         " WHERE table_schema = 'public' ORDER BY table_name");
    EXPECT_EQ(fileTables.size(), 6u);
    EXPECT_EQ(serverTables, fileTables);
    EXPECT_EQ(serverTables.at("fixdeta_tbl").at(8),
              std::make_pair(QStringLiteral("Ｓale_price"), jet::adCurrency));

    for (const QString& table : {QStringLiteral("basic_tbl"), QStringLiteral("system_type")}) {
        const QString sql = "SELECT * FROM " + table;
        jet::Recordset fileRow;
        jet::Recordset serverRow;
        ASSERT_FALSE(fileRow.open(sql, onFile));
        ASSERT_FALSE(serverRow.open(sql, onServer));
        for (int i = 0; i < fileRow.fieldCount(); ++i) {
            EXPECT_EQ(serverRow.value(i), fileRow.value(i)) << table.toStdString() << " " << i;
        }
        serverRow.moveNext();
        EXPECT_TRUE(serverRow.eof());
    }
}

// The installation tool makes a server database with the default rows and never
// touches one that is there already.
TEST(ServerSchemaTest, CreateDatabaseMakesAServerDatabaseOnce) {
    TestServerDatabase server{TestServerDatabase::NameOnly{}};
    ASSERT_TRUE(server.isValid()) << server.error().toStdString();
    const auto createDatabase = [&] {
        return QProcess::execute(QStringLiteral(MORVIK_CREATE_DATABASE),
                                 {"--server", TestServerDatabase::schemaPath(), server.name()});
    };
    ASSERT_EQ(createDatabase(), 0);
    AccessADOClass basic;
    server.configure(basic);
    EXPECT_EQ(countRows(basic, "basic_tbl", "Trade_figure = 0 And Picture_Flg = 0"), 1);

    AccessADOClass write;
    server.configure(write);
    write.AccessFlag("7");
    write.AddField("Classify_No");
    write.AddFromVerse("ClassifyMast_tbl");
    vb::VariantArray rows(1, 1);
    rows(0, 0) = "'001'";
    write.DBInfo(rows);
    ASSERT_EQ(write.Execute(), 0) << write.ErrDetail().toStdString();

    EXPECT_EQ(createDatabase(), 1);
    AccessADOClass classes;
    server.configure(classes);
    EXPECT_EQ(countRows(classes, "ClassifyMast_tbl", QString()), 1);
}

}  // namespace
