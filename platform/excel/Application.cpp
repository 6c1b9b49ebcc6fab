#include "Application.h"

#include <QSaveFile>
#include <algorithm>

#include "OfficeProgram.h"
#include "PrintDestination.h"
#include "platform/printer/PdfJob.h"
#include "platform/printer/WorkFolder.h"

namespace excel {

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

Application::~Application() = default;

bool Application::CanPrint() {
    return !office::programPath().isEmpty();
}

int32_t Application::Open(const QString& path) {
    int32_t error = 0;
    std::unique_ptr<Workbook> book = Workbook::Open(path, error);
    if (book) {
        books_.push_back(std::move(book));
    }
    return error;
}

Workbook* Application::Workbooks(const QString& name) {
    for (const std::unique_ptr<Workbook>& book : books_) {
        if (book->Name() == name) {
            return book.get();
        }
    }
    return nullptr;
}

int32_t Application::PrintOut(Workbook& book) {
    if (!CanPrint()) {
        return errCannotCreateObject;
    }
    const PrintDestination& destination = printDestination();
    // Without a default printer the print fails before the long conversion.
    if (destination.to == PrintTo::DefaultPrinter && !printer::hasDefaultPrinter()) {
        return errApplicationDefined;
    }
    const std::optional<QByteArray> copy = book.PrintCopy();
    if (!copy) {
        return errApplicationDefined;
    }
    if (destination.to == PrintTo::WorkbookFile) {
        return writeFile(destination.path, *copy) ? 0 : errApplicationDefined;
    }
    const printer::WorkFolder folder;
    const QString file = folder.filePath(book.Name());
    if (!folder.isValid() || !writeFile(file, *copy)) {
        return errApplicationDefined;
    }
    if (destination.to == PrintTo::PdfFile) {
        return office::convertToPdf(file, destination.path) ? 0 : errApplicationDefined;
    }
    // The spreadsheet program lays the sheet out as a PDF document, which goes to the
    // default printer as a job named after the workbook.
    const QString pdf = folder.filePath("print.pdf");
    return office::convertToPdf(file, pdf) && printer::printPdfFile(pdf, book.Name())
               ? 0
               : errApplicationDefined;
}

int32_t Application::Close(const QString& name) {
    const auto found = std::find_if(books_.begin(), books_.end(),
                                    [&](const auto& book) { return book->Name() == name; });
    if (found == books_.end()) {
        return errSubscriptOutOfRange;
    }
    books_.erase(found);
    return 0;
}

void Application::Quit() {
    books_.clear();
}

int32_t Application::ShowWorkbook(const QString& path) {
    if (!CanPrint()) {
        return errCannotCreateObject;
    }
    return office::openVisible(path) ? 0 : errApplicationDefined;
}

}  // namespace excel
