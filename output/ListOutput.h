#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/runtime/Date.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

class QWidget;

// The message and dialog texts of a list's print and save. For defaults from the list
// title, see ListOutputTexts::ForTitle; a screen whose texts differ changes them.
struct ListOutputTexts {
    QString boxTitle;                // title of every box
    QString printDone;               // information box after a print
    QString printFailed;             // exclamation box after a failed print
    QString saveDone;                // information box after a save
    QString saveFailed;              // exclamation box after a failed save
    QString noDocumentsFolder;       // exclamation box when there is no documents folder
    QString noDocumentsFolderTitle;  // its title
    QString dialogTitle;             // title of the save dialog
    QString fileBaseName;            // proposed file: base "_" yyyymmdd ".xlsx"

    // title & "の印刷が完了しました。", title & "の印刷に失敗しました。", title &
    // "の保存が完了しました。", title & "の保存に失敗しました。" (also without a documents
    // folder), boxes titled title, the dialog title & "の保存", the file named title.
    static ListOutputTexts ForTitle(const QString& title);
};

// One printed column: width in millimetres and alignment (0 left, 1 right, 2 centred).
struct ListColumn {
    int16_t width;
    int16_t align;
};

// What a list screen hands to the print and save sequence.
struct ListOutputSettings {
    // The texts of ListOutputTexts::ForTitle and the title printed on every page.
    static ListOutputSettings ForTitle(const QString& title);

    ListOutputTexts texts;

    // Through the spreadsheet application (print and save).
    QString layoutBook;               // a name of LayoutBooks, in MainModule::LayoutFolder
    int16_t dataStartCell = 1;        // sheet row of the list's first row
    QString outputTitle;              // text for A1; not written when empty
    vb::Variant dataDay = QString();  // text for A2; not written when empty

    // On the printer.
    QString printTitle;  // title on every page
    std::vector<ListColumn> columns;
    std::vector<QStringList> headings;  // heading rows, one text per column each
    uint8_t printOutType = 0;           // VBPrintout's layout 0 to 4
    int16_t fontSize = 10;
    std::optional<vb::Date> selectDate;  // the date of layouts 3 and 4
};

// The print and save sequence every list screen follows. A screen makes one from its
// values and calls it from its handlers after the busy rule (BusyGuard):
//
//     void frmClassify::btnPrint_Click() {
//         BusyGuard guard(*this);
//         if (guard.Busy()) return;
//         ListOutput(ClassifyListOutput()).Print(StoredList);
//     }
//
// Print and Save show the outcome in a message box; the parts are there for screens
// whose sequence differs.
class ListOutput {
  public:
    explicit ListOutput(ListOutputSettings settings);

    // PrintList, then the done message for a result of 0 or more, else the failure
    // message. Returns the result.
    int32_t Print(const vb::VariantArray& list) const;
    // Asks for the file in the save dialog (starting in the documents folder with the
    // proposed name), saves the list there through the layout workbook, and shows the
    // done or failure message. A cancelled dialog shows nothing. A screen that refuses
    // an empty list checks it before.
    void Save(QWidget* owner, const vb::VariantArray& list) const;

    // On the printer when MainModule::PrintType is not 0, else through the spreadsheet
    // application; the output's result code.
    int32_t PrintList(const vb::VariantArray& list) const;
    // VBPrintout::Execute's result.
    int32_t PrintListVB(const vb::VariantArray& list) const;
    // ExcelListPrintClass::OutputBook's result, printing.
    int32_t PrintListExcel(const vb::VariantArray& list) const;
    // ExcelListPrintClass::OutputBook's result, saving as fileName in folder (created
    // when missing); an existing file is replaced.
    int32_t SaveListExcel(const vb::VariantArray& list, const QString& folder,
                          const QString& fileName) const;
    void ShowPrintResult(int32_t code) const;
    void ShowSaveResult(int32_t code) const;

  private:
    ListOutputSettings settings_;
};
