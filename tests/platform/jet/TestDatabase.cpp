#include "TestDatabase.h"

#include <gtest/gtest.h>

const char* const TestDatabase::kSchema = R"(
CREATE TABLE Management_Tbl (
    Input_Date DATETIME NOT NULL,
    Classify_No TEXT NOT NULL,
    Trade_No TEXT NOT NULL,
    Cost_Money CURRENCY,
    Sales_Money CURRENCY,
    PRIMARY KEY (Input_Date, Classify_No, Trade_No)
);
CREATE TABLE FixDeta_tbl (
    FixDate DATETIME NOT NULL,
    Classify_No TEXT NOT NULL,
    Trade_No TEXT NOT NULL,
    Trade_Name TEXT,
    "Ｓale_Price" CURRENCY,
    ClasRankRi INTEGER,
    PRIMARY KEY (FixDate, Classify_No, Trade_No)
);
)";

QString TestDatabase::connectionText(const QString& path, const QString& password) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=") + password + u';';
}

QString TestDatabase::create(const QString& name, const QString& password) {
    const QString file = path(name);
    const jet::Error error = jet::createDatabase(file, password, QString::fromUtf8(kSchema));
    EXPECT_FALSE(error) << error.description.toStdString();
    return file;
}

vb::Variant queryValue(jet::Connection& connection, const QString& sql) {
    jet::Recordset records;
    const jet::Error error = records.open(sql, connection);
    EXPECT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
    return error || records.eof() ? vb::Variant() : records.value(0);
}
