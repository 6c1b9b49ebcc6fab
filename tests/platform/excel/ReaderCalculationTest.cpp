#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <map>

#include "platform/excel/Workbook.h"
#include "platform/excel/ZipPackage.h"

namespace {

// A layout as a user may have extended it: the list sheet "一覧" sums its rows in a
// heading, and a second sheet "集計" sums them too. libxlsxwriter stores 0 as the
// result of both, as a spreadsheet program stores the results of an empty list.
void writeLayout(const QString& path, const char* calcMode) {
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* list = workbook_add_worksheet(book, "一覧");
    lxw_worksheet* totals = workbook_add_worksheet(book, "集計");
    worksheet_write_string(list, 0, 0, "売上一覧", nullptr);
    worksheet_write_formula(list, 2, 0, "=SUM(B5:B2000)", nullptr);
    worksheet_write_formula(totals, 0, 0, "=SUM('一覧'!B5:B2000)", nullptr);
    workbook_close(book);
    if (calcMode == nullptr) {
        return;
    }
    excel::ZipPackage package = *excel::ZipPackage::read(path);
    QByteArray workbook = package.part("xl/workbook.xml");
    workbook.replace("<calcPr ", QByteArray("<calcPr calcMode=\"") + calcMode + "\" ");
    ASSERT_TRUE(workbook.contains("calcMode"));
    package.setPart("xl/workbook.xml", workbook);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*package.archive());
}

// The sheets of a workbook as LibreOffice shows them on opening, with the settings of
// a new user (stored results trusted), one CSV text a sheet by its name.
std::map<QString, QString> shownByLibreOffice(const QString& path) {
    QTemporaryDir profile;
    QTemporaryDir output;
    QProcess office;
    office.start("soffice",
                 {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                  "--headless", "--norestore", "--convert-to",
                  "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1",
                  "--outdir", output.path(), path});
    std::map<QString, QString> sheets;
    if (!office.waitForFinished(120000)) {
        office.kill();
        office.waitForFinished();
        return sheets;
    }
    const QString base = QFileInfo(path).completeBaseName() + "-";
    for (const QFileInfo& file : QDir(output.path()).entryInfoList({"*.csv"}, QDir::Files)) {
        QFile csv(file.filePath());
        if (csv.open(QIODevice::ReadOnly)) {
            sheets[file.completeBaseName().mid(base.size())] = QString::fromUtf8(csv.readAll());
        }
    }
    return sheets;
}

// Every formula of a saved workbook, on any sheet, shows the figures of the written
// rows to a reader that would trust stored results, also when the layout was left in
// manual calculation.
TEST(ReaderCalculationTest, EverySheetShowsTheWrittenRowsSums) {
    for (const char* calcMode : {static_cast<const char*>(nullptr), "manual"}) {
        SCOPED_TRACE(calcMode != nullptr ? calcMode : "as written");
        QTemporaryDir folder;
        const QString layout = folder.filePath("layout.xlsx");
        writeLayout(layout, calcMode);
        int32_t error = -1;
        std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(layout, error);
        ASSERT_NE(book, nullptr);
        vb::VariantArray rows(3, 2);
        const char* amounts[] = {"1000000", "600000", "40000"};
        for (int row = 0; row < 3; ++row) {
            rows(row, 0) = QString::number(row + 1);
            rows(row, 1) = QString::fromLatin1(amounts[row]);
        }
        ASSERT_EQ(book->FirstSheet().SetValues(5, 1, rows), 0);
        const QString saved = folder.filePath("saved.xlsx");
        ASSERT_EQ(book->SaveAs(saved), 0);

        const std::map<QString, QString> shown = shownByLibreOffice(saved);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_TRUE(shown.at("一覧").startsWith("売上一覧,\n,\n1640000,\n"))
            << shown.at("一覧").toStdString();
        EXPECT_EQ(shown.at("集計").toStdString(), "1640000\n");
    }
}

}  // namespace
