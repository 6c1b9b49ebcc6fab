#include "ExcelListPrintClass.h"

#include <QFileInfo>
#include <cstdlib>

#include "LayoutBooks.h"
#include "platform/excel/Application.h"
#include "platform/runtime/AppPath.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace {

// The font every cell of a filled sheet gets.
const QString sheetFont = QStringLiteral("ＭＳ ゴシック");

// Run-time errors of the steps that are not the spreadsheet application's own.
constexpr int32_t errPathNotFound = 76;
constexpr int32_t errPermissionDenied = 70;

QString sameFile(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

}  // namespace

ExcelListPrintClass::ExcelListPrintClass() {
    CreateClear();
}

ExcelListPrintClass::~ExcelListPrintClass() = default;

void ExcelListPrintClass::CreateClear() {
    appointFileName_.clear();
    saveFileName_.clear();
    filePath_ = common_.MidPath(vb::AppPath());
    saveFilePath_ = filePath_;
    info_ = vb::VariantArray();
    outputType_ = 0;
    outputTitle_.clear();
    dataStartCell_ = 1;
    dataDay_ = QString();
    makeDirectory_ = 0;
    seveFileType_ = 0;
}

void ExcelListPrintClass::AppointFileName(const QString& argAppointFileName) {
    appointFileName_ = argAppointFileName;
}

void ExcelListPrintClass::SaveFileName(const QString& argSaveFileName) {
    saveFileName_ = argSaveFileName;
}

void ExcelListPrintClass::FilePath(const QString& argFilePath) {
    filePath_ = argFilePath;
}

void ExcelListPrintClass::SaveFilePath(const QString& argSaveFilePath) {
    saveFilePath_ = argSaveFilePath;
}

void ExcelListPrintClass::Info(const vb::VariantArray& argInfo) {
    info_ = argInfo;
}

void ExcelListPrintClass::OutputType(uint8_t argOutputType) {
    outputType_ = argOutputType;
}

void ExcelListPrintClass::OutputTitle(const QString& argOutputTitle) {
    outputTitle_ = argOutputTitle;
}

void ExcelListPrintClass::DataStartCell(int16_t argDataStartCell) {
    dataStartCell_ = argDataStartCell;
}

void ExcelListPrintClass::DataDay(const vb::Variant& argDataDay) {
    dataDay_ = argDataDay;
}

void ExcelListPrintClass::MakeDirectory(uint8_t argMakeDirectory) {
    makeDirectory_ = argMakeDirectory;
}

void ExcelListPrintClass::SeveFileType(uint8_t argSeveFileType) {
    seveFileType_ = argSeveFileType;
}

int32_t ExcelListPrintClass::OutputBook() {
    if (const int32_t opened = OpenLayoutBook(); opened != 0) {
        excel_.reset();
        return opened;
    }
    QString bookName = appointFileName_;
    int32_t result = 0;
    // An incomplete list is neither printed nor saved.
    if (WriteSheetData() != 0) {
        result = WriteFailed;
    } else if (outputType_ == 1) {
        result = SaveBook(bookName) != 0 ? SaveFailed : 0;
    } else {
        result = PrintSheet() != 0 ? PrintFailed : 0;
    }
    if (CloseExcel(bookName) != 0 && result == 0) {
        result = CloseFailed;
    }
    return result;
}

int32_t ExcelListPrintClass::ExcelOpenIndication(const QString& argFilePath,
                                                 const QString& argBookName) {
    if (!excel::Application::CanPrint()) {
        return CannotStart;
    }
    const QString path =
        argBookName.isEmpty() ? QString() : common_.SearchDirectory(0, argFilePath, argBookName, 0);
    if (path.isEmpty()) {
        return BookNotFound;
    }
    return excel::Application::ShowWorkbook(path) == 0 ? 0 : CannotStart;
}

excel::Workbook* ExcelListPrintClass::Book(const QString& name) const {
    return excel_ ? excel_->Workbooks(name) : nullptr;
}

int32_t ExcelListPrintClass::OpenLayoutBook() {
    excel_ = std::make_unique<excel::Application>();
    // Only a print needs the spreadsheet program; a save writes the file itself.
    if (outputType_ != 1 && !excel::Application::CanPrint()) {
        return CannotStart;
    }
    const QString path = appointFileName_.isEmpty()
                             ? QString()
                             : common_.SearchDirectory(0, filePath_, appointFileName_, 0);
    if (path.isEmpty()) {
        return BookNotFound;
    }
    return excel_->Open(path) == 0 ? 0 : CannotStart;
}

int32_t ExcelListPrintClass::WriteSheetData() {
    excel::Workbook* book = Book(appointFileName_);
    if (book == nullptr) {
        return -vb::errSubscriptOutOfRange;
    }
    excel::Worksheet& sheet = book->FirstSheet();
    try {
        sheet.SetFont(sheetFont);
        if (!outputTitle_.isEmpty()) {
            if (const int32_t error = sheet.SetValue(1, 1, vb::Trim(outputTitle_))) {
                return -error;
            }
        }
        const QString day =
            dataDay_.isEmpty() || dataDay_.isNull() ? QString() : dataDay_.toString();
        if (!day.isEmpty()) {
            if (const int32_t error = sheet.SetValue(2, 1, vb::Trim(day))) {
                return -error;
            }
        }
        if (info_.dimensions() != 2) {
            return -vb::errSubscriptOutOfRange;
        }
        const int top = dataStartCell_;
        const int bottom = dataStartCell_ + info_.upperRow();
        const int right = info_.upperCol() + 1;
        const int lastBorder =
            info_.rows() == 1 ? excel::xlInsideVertical : excel::xlInsideHorizontal;
        for (int index = excel::xlEdgeLeft; index <= lastBorder; ++index) {
            if (const int32_t error =
                    sheet.SetBorder(top, 1, bottom, right, index, excel::xlContinuous)) {
                return -error;
            }
        }
        if (const int32_t error = sheet.SetValues(top, 1, info_)) {
            return -error;
        }
    } catch (const vb::RuntimeError& error) {
        return -error.number();
    }
    return 0;
}

int32_t ExcelListPrintClass::PrintSheet() {
    excel::Workbook* book = Book(appointFileName_);
    if (book == nullptr) {
        return -vb::errSubscriptOutOfRange;
    }
    return -excel_->PrintOut(*book);
}

QString ExcelListPrintClass::SaveName() const {
    const QString extension = QString::fromLatin1(LayoutBooks::Extension);
    switch (seveFileType_) {
        case 0:
            return saveFileName_.size() > extension.size() &&
                           saveFileName_.right(extension.size()).toLower() == extension
                       ? saveFileName_
                       : saveFileName_ + extension;
        case 1:
            return saveFileName_ + "_" + vb::Format(vb::Today(), "yyyymmdd") + extension;
        default:
            return saveFileName_ + extension;
    }
}

// A layout workbook is never saved over: the one filled, or any other in its folder.
bool ExcelListPrintClass::IsLayoutBook(const QString& path) const {
    const QString target = sameFile(path);
    if (target.isEmpty()) {
        return false;
    }
    if (target == sameFile(filePath_ + "/" + appointFileName_)) {
        return true;
    }
    for (const char* name : LayoutBooks::All) {
        if (target == sameFile(filePath_ + "/" + QString::fromLatin1(name))) {
            return true;
        }
    }
    return false;
}

int32_t ExcelListPrintClass::SaveBook(QString& bookName) {
    excel::Workbook* book = Book(bookName);
    if (book == nullptr) {
        return -vb::errSubscriptOutOfRange;
    }
    const QString folder =
        common_.SearchDirectory(CommonClass::Folder, saveFilePath_, QString(), makeDirectory_);
    if (folder.isEmpty()) {
        return -errPathNotFound;
    }
    const QString fullName = common_.PutPath(folder) + SaveName();
    if (IsLayoutBook(fullName)) {
        return -errPermissionDenied;
    }
    // The new workbook replaces an existing file only once it is written completely.
    if (const int32_t error = book->SaveAs(fullName)) {
        return -std::abs(error);
    }
    bookName = book->Name();
    return 0;
}

int32_t ExcelListPrintClass::CloseExcel(const QString& bookName) {
    const int32_t error = excel_->Close(bookName);
    excel_->Quit();
    excel_.reset();
    return -error;
}
