#include "MigrationFixture.h"

#include <QFile>

#include "migrate/DetaCheckSet.h"
#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"

namespace {

QString connectionText(const QString& path, const QString& password) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
           ";Jet OLEDB:Database Password=" + password + ";";
}

}  // namespace

void MigrationFixture::SetUp() {
    DatabaseTest::SetUp();
    ASSERT_TRUE(QFile::copy(TestDatabase::stageFolder() + "/morvik2.mdb", sourcePath()));
    QFile ini(sourceFolder() + "/backup.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[BackupFile]\r\nFile1=morvik.mdb\r\n");
    DetaCheck_Set::DBPassword = TestDatabase::password();
    DetaCheck_Set::TradeFigure = 0;
    DetaCheck_Set::SourcePassword.clear();
}

void MigrationFixture::run(const QString& path, const QString& password, const QStringList& sql) {
    jet::Connection connection;
    ASSERT_FALSE(connection.open(connectionText(path, password)));
    for (const QString& statement : sql) {
        const jet::Error error = connection.execute(statement);
        ASSERT_FALSE(error) << statement.toStdString() << ": " << error.description.toStdString();
    }
}

void MigrationFixture::runTarget(const QStringList& sql) const {
    run(database.filePath(), TestDatabase::password(), sql);
}

void MigrationFixture::runSource(const QStringList& sql) const {
    run(sourcePath(), QString(), sql);
}

vb::Variant MigrationFixture::targetValue(const QString& sql) const {
    jet::Connection connection;
    EXPECT_FALSE(connection.open(connectionText(database.filePath(), TestDatabase::password())));
    jet::Recordset rows;
    EXPECT_FALSE(rows.open(sql, connection));
    return rows.eof() ? vb::Variant() : rows.value(0);
}

QStringList MigrationFixture::targetRows(const QString& sql) const {
    return rowsOf(database.filePath(), sql);
}

QStringList MigrationFixture::rowsOf(const QString& path, const QString& sql) {
    jet::Connection connection;
    EXPECT_FALSE(connection.open(connectionText(path, TestDatabase::password())));
    jet::Recordset rows;
    EXPECT_FALSE(rows.open(sql, connection));
    QStringList out;
    for (; !rows.eof(); rows.moveNext()) {
        QStringList values;
        for (int i = 0; i < rows.fieldCount(); ++i) {
            values << (rows.value(i).isNull() ? QString() : rows.value(i).toString());
        }
        out << values.join(u'|');
    }
    return out;
}

void MigrationFixture::setWidthCode(int code, int unitDecimal, int sumDecimal) const {
    runTarget({QStringLiteral("UPDATE basic_tbl SET Trade_figure = %1 , Unit_decimal = %2 , "
                              "Sum_decimal = %3")
                   .arg(code)
                   .arg(unitDecimal)
                   .arg(sumDecimal)});
}
