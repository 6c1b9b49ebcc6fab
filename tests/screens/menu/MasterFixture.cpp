#include "MasterFixture.h"

#include <QDir>
#include <QFile>

#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "output/LayoutBooks.h"
#include "platform/excel/PrintDestination.h"
#include "platform/jet/Connection.h"
#include "platform/printer/Printer.h"
#include "platform/runtime/Date.h"
#include "tests/support/TestRows.h"

#include <sqlcipher/sqlite3.h>

void MasterFixture::SetUp() {
    ASSERT_TRUE(database.isValid()) << database.error().toStdString();
    forms::TestHook::enable();
    MainModule::DBFileName = TestDatabase::fileName();
    MainModule::DBPassword = TestDatabase::password();
    MainModule::DBFolder = database.folder();
    MainModule::LayoutFolder = files_.path();
    MainModule::PrintType = 0;
    MainModule::TradeFigure = 0;
    MainModule::UnitDecimal = 0;
    MainModule::HasCloseDate = false;
    MainModule::LastCloseDate = vb::Date();
    for (const char* name : LayoutBooks::All) {
        QFile::copy(QStringLiteral(MORVIK_BUILD_STAGE_DIR "/") + name, path(name));
    }
    printer::setOutputFileName(path("printed.pdf"));
    excel::setPrintDestination({excel::PrintTo::WorkbookFile, path("printed.xlsx")});
}

void MasterFixture::TearDown() {
    excel::setPrintDestination({});
    printer::setOutputFileName(QString());
    forms::TestHook::disable();
}

void MasterFixture::insert(const QString& table, const QStringList& fields,
                           const vb::VariantArray& rows) const {
    AccessADOClass access;
    database.configure(access);
    access.AccessFlag("3");
    access.AddFromVerse(table);
    for (const QString& field : fields) {
        access.AddField(field);
    }
    access.DBInfo(rows);
    ASSERT_EQ(access.Execute(), rows.rows()) << access.ErrDetail().toStdString();
}

std::vector<QString> MasterFixture::rows(const QString& table, const QStringList& fields,
                                         const QString& order, const QString& where) const {
    AccessADOClass access;
    database.configure(access);
    return rowsOf(access, table, fields, order, where);
}

std::vector<QString> MasterFixture::rowsOf(AccessADOClass& access, const QString& table,
                                           const QStringList& fields, const QString& order,
                                           const QString& where) {
    access.AccessFlag("1");
    for (const QString& field : fields) {
        access.AddField(field);
    }
    access.AddFromVerse(table);
    if (!where.isEmpty()) {
        access.AddWhereVerse(where);
    }
    access.AddOrderVerse(order);
    std::vector<QString> texts;
    const int32_t count = access.Execute();
    EXPECT_GE(count, 0) << access.ErrDetail().toStdString();
    const vb::VariantArray info = access.DBInfo();
    for (int row = 0; row < count; ++row) {
        QStringList cells;
        for (int col = 0; col < info.cols(); ++col) {
            const vb::Variant& value = info.at(row, col);
            cells.append(value.isNull() ? QString() : value.toString());
        }
        texts.push_back(cells.join('|'));
    }
    return texts;
}

std::vector<QString> MasterFixture::boxTexts() const {
    std::vector<QString> texts;
    for (const forms::TestHook::MsgBoxShown& box : forms::TestHook::msgBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

void MasterFixture::closeMonth(int year, int month, const QString& classNo, const QString& tradeNo,
                               int stock) const {
    const vb::Date day = vb::Date::fromYmd(year, month, 1);
    insert("FixDeta_tbl", {"FixDate", "Classify_No", "Trade_No", "Fix_Quantity"},
           makeRows({{SqlValueText::DateValue(day), SqlValueText::Text(classNo),
                      SqlValueText::Text(tradeNo), SqlValueText::Number(stock)}}));
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = std::max(MainModule::LastCloseDate, day);
}

void MasterFixture::dailyRecord(int year, int month, int day, const QString& classNo,
                                const QString& tradeNo) const {
    insert("Management_Tbl", {"Input_Date", "Classify_No", "Trade_No", "Sales_Quantity"},
           makeRows({{SqlValueText::DateValue(vb::Date::fromYmd(year, month, day)),
                      SqlValueText::Text(classNo), SqlValueText::Text(tradeNo), "1"}}));
}

void MasterFixture::runSql(const QString& sql) const {
    jet::Connection connection;
    ASSERT_FALSE(
        connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.filePath() +
                        ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";"));
    ASSERT_EQ(
        sqlite3_exec(connection.handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
        SQLITE_OK);
    connection.close();
}
