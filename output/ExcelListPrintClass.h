#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "core/CommonClass.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

namespace excel {
class Application;
class Workbook;
}  // namespace excel

// Writes a list into the first sheet of a layout workbook, then prints that sheet or
// saves the workbook under a new name. One object per output: set the properties, call
// OutputBook, release it.
class ExcelListPrintClass {
  public:
    // Results of OutputBook and ExcelOpenIndication.
    static constexpr int32_t BookNotFound = -2501;
    static constexpr int32_t CannotStart = -2560;
    static constexpr int32_t WriteFailed = -2600;
    static constexpr int32_t PrintFailed = -2700;
    static constexpr int32_t SaveFailed = -2800;
    static constexpr int32_t CloseFailed = -2900;

    ExcelListPrintClass();
    ~ExcelListPrintClass();
    ExcelListPrintClass(const ExcelListPrintClass&) = delete;
    ExcelListPrintClass& operator=(const ExcelListPrintClass&) = delete;

    // Every property back to its default.
    void CreateClear();
    // File name of the layout workbook in FilePath.
    void AppointFileName(const QString& argAppointFileName);
    // Name to save under, completed by the rule of SeveFileType.
    void SaveFileName(const QString& argSaveFileName);
    // Folder of the layout workbook; the program folder unless set.
    void FilePath(const QString& argFilePath);
    // Folder to save into; the program folder unless set.
    void SaveFilePath(const QString& argSaveFilePath);
    // The data block, (row, column) from 0.
    void Info(const vb::VariantArray& argInfo);
    // 1 saves; any other value prints (0 unless set).
    void OutputType(uint8_t argOutputType);
    // Text for cell A1, trimmed; not written when empty.
    void OutputTitle(const QString& argOutputTitle);
    // Sheet row of the block's first row (1 unless set).
    void DataStartCell(int16_t argDataStartCell);
    // Text for cell A2, trimmed; not written when it is empty (the default).
    void DataDay(const vb::Variant& argDataDay);
    // 1 creates a missing save folder (one level).
    void MakeDirectory(uint8_t argMakeDirectory);
    // Save name: 0 keeps a name that ends in ".xlsx" (any letter case) and has a part
    // before it, else appends ".xlsx"; 1 appends "_", today as yyyymmdd and ".xlsx";
    // any other value appends ".xlsx".
    void SeveFileType(uint8_t argSeveFileType);

    // Opens the layout workbook, writes the title, the day and the block with its
    // borders, prints or saves, and closes. 0, or the code of the step that failed:
    // BookNotFound or CannotStart (a print without the spreadsheet program, or a file
    // that is no workbook; nothing else runs), WriteFailed (nothing is printed or
    // saved), PrintFailed, SaveFailed, CloseFailed.
    int32_t OutputBook();
    // Opens a workbook in the spreadsheet application for the user and leaves it open:
    // 0, BookNotFound or CannotStart.
    int32_t ExcelOpenIndication(const QString& argFilePath, const QString& argBookName);

  private:
    int32_t OpenLayoutBook();
    int32_t WriteSheetData();
    int32_t PrintSheet();
    // Saves under the save name; bookName becomes the workbook's new name.
    int32_t SaveBook(QString& bookName);
    int32_t CloseExcel(const QString& bookName);
    QString SaveName() const;
    bool IsLayoutBook(const QString& path) const;
    excel::Workbook* Book(const QString& name) const;

    QString appointFileName_;
    QString saveFileName_;
    QString filePath_;
    QString saveFilePath_;
    vb::VariantArray info_;
    uint8_t outputType_ = 0;
    QString outputTitle_;
    int16_t dataStartCell_ = 1;
    vb::Variant dataDay_;
    uint8_t makeDirectory_ = 0;
    uint8_t seveFileType_ = 0;
    CommonClass common_;
    std::unique_ptr<excel::Application> excel_;
};
