#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "Styles.h"
#include "Worksheet.h"
#include "ZipPackage.h"

namespace excel {

// A workbook file (Office Open XML) held in memory, with its first worksheet ready to
// be changed. Everything else in the file is kept as it was, except that its formulas
// are written to be calculated anew by whatever opens it.
class Workbook {
  public:
    // Workbooks.Open: the workbook, or nothing with the error number in error
    // (53 for a missing file, 1004 for a file that is not a workbook).
    static std::unique_ptr<Workbook> Open(const QString& path, int32_t& error);

    // The file name ("bunrui.xlsx"), and the whole path.
    QString Name() const;
    QString FullName() const { return path_; }

    // Sheets(1).
    Worksheet& FirstSheet() { return *sheet_; }

    // Writes the workbook under a new path and goes on under that name. The file is
    // written beside the target and put in its place when it is complete, so that a
    // failure leaves an existing file as it was. 0 or 1004.
    int32_t SaveAs(const QString& path);
    // The workbook as it would be saved, with only the first sheet shown: what a print
    // of the first sheet prints. Nothing when it cannot be built.
    std::optional<QByteArray> PrintCopy();

  private:
    Workbook() = default;
    bool load();
    // The package with the changed parts written back.
    ZipPackage currentPackage();
    // The part that a relation of sourcePart points to, found by the end of its type or
    // by its id; "" when there is none.
    QString relationTarget(const QString& sourcePart, const QString& typeSuffix,
                           const QString& id = QString()) const;

    QString path_;
    ZipPackage package_;
    QString workbookPart_;
    QString sheetPart_;
    QString stylesPart_;
    std::vector<QString> sharedStrings_;
    Styles styles_;
    std::unique_ptr<Worksheet> sheet_;
};

}  // namespace excel
