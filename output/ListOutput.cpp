#include "ListOutput.h"

#include <utility>

#include "ExcelListPrintClass.h"
#include "LayoutBooks.h"
#include "VBPrintout.h"
#include "core/CommonDialog.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/shell/SpecialFolders.h"

namespace {

// The filter of the save dialog: one description and its pattern.
QString workbookFilter() {
    const QString extension = QString::fromLatin1(LayoutBooks::Extension);
    return QStringLiteral("Microsoft Excel ブック (*%1)").arg(extension) + QChar(u'\0') + "*" +
           extension;
}

}  // namespace

ListOutputTexts ListOutputTexts::ForTitle(const QString& title) {
    ListOutputTexts texts;
    texts.boxTitle = title;
    texts.printDone = title + "の印刷が完了しました。";
    texts.printFailed = title + "の印刷に失敗しました。";
    texts.saveDone = title + "の保存が完了しました。";
    texts.saveFailed = title + "の保存に失敗しました。";
    texts.noDocumentsFolder = texts.saveFailed;
    texts.noDocumentsFolderTitle = title;
    texts.dialogTitle = title + "の保存";
    texts.fileBaseName = title;
    return texts;
}

ListOutputSettings ListOutputSettings::ForTitle(const QString& title) {
    ListOutputSettings settings;
    settings.texts = ListOutputTexts::ForTitle(title);
    settings.printTitle = title;
    return settings;
}

ListOutput::ListOutput(ListOutputSettings settings) : settings_(std::move(settings)) {}

int32_t ListOutput::Print(const vb::VariantArray& list) const {
    const int32_t code = PrintList(list);
    ShowPrintResult(code);
    return code;
}

int32_t ListOutput::PrintList(const vb::VariantArray& list) const {
    return MainModule::PrintType != 0 ? PrintListVB(list) : PrintListExcel(list);
}

int32_t ListOutput::PrintListVB(const vb::VariantArray& list) const {
    VBPrintout printout;
    printout.TitleCol(static_cast<uint8_t>(settings_.columns.size()));
    printout.TitleRec(static_cast<uint8_t>(settings_.headings.size()));
    for (std::size_t c = 0; c < settings_.columns.size(); ++c) {
        printout.ColWidth(static_cast<int>(c), settings_.columns[c].width);
    }
    for (std::size_t c = 0; c < settings_.columns.size(); ++c) {
        printout.ColAlign(static_cast<int>(c), settings_.columns[c].align);
    }
    for (std::size_t r = 0; r < settings_.headings.size(); ++r) {
        for (qsizetype c = 0; c < settings_.headings[r].size(); ++c) {
            printout.TitleName(static_cast<int>(r), static_cast<int>(c), settings_.headings[r][c]);
        }
    }
    printout.ListFileName(settings_.printTitle);
    printout.PrintOutType(settings_.printOutType);
    printout.FontSize(settings_.fontSize);
    if (settings_.selectDate) {
        printout.SelectDate(*settings_.selectDate);
    }
    printout.Info(list);
    const int32_t code = printout.Execute();
    printout.CreateClear();
    return code;
}

int32_t ListOutput::PrintListExcel(const vb::VariantArray& list) const {
    ExcelListPrintClass book;
    book.AppointFileName(settings_.layoutBook);
    book.FilePath(MainModule::LayoutFolder);
    book.DataStartCell(settings_.dataStartCell);
    book.OutputTitle(settings_.outputTitle);
    book.DataDay(settings_.dataDay);
    book.Info(list);
    return book.OutputBook();
}

int32_t ListOutput::SaveListExcel(const vb::VariantArray& list, const QString& folder,
                                  const QString& fileName) const {
    ExcelListPrintClass book;
    book.OutputType(1);
    book.SeveFileType(0);
    book.AppointFileName(settings_.layoutBook);
    book.DataStartCell(settings_.dataStartCell);
    book.Info(list);
    book.SaveFileName(fileName);
    book.MakeDirectory(1);
    book.SaveFilePath(folder);
    book.FilePath(MainModule::LayoutFolder);
    book.OutputTitle(settings_.outputTitle);
    book.DataDay(settings_.dataDay);
    return book.OutputBook();
}

void ListOutput::Save(QWidget* owner, const vb::VariantArray& list) const {
    const ListOutputTexts& texts = settings_.texts;
    const QString documents = XX共通関数::GetSpecialFolderPath(shell::csidlPersonal);
    if (documents.isEmpty()) {
        forms::MsgBox(texts.noDocumentsFolder, forms::vbExclamation, texts.noDocumentsFolderTitle);
        return;
    }
    CommonDialog dialog;
    dialog.OwnerhWnd(owner);
    dialog.Title(texts.dialogTitle);
    dialog.InitialFolder(documents);
    dialog.InitialFileName(texts.fileBaseName + "_" + vb::Format(vb::Now(), "yyyymmdd") +
                           QString::fromLatin1(LayoutBooks::Extension));
    dialog.Filter(workbookFilter());
    const QString chosen = dialog.ShowSave();
    if (chosen.isEmpty()) {
        return;
    }
    QString drive, folder, fileName, baseName, extension;
    XX共通関数::SplitPath(chosen, drive, folder, fileName, baseName, extension);
    ShowSaveResult(SaveListExcel(list, drive + folder, fileName));
}

void ListOutput::ShowPrintResult(int32_t code) const {
    const ListOutputTexts& texts = settings_.texts;
    if (code >= 0) {
        forms::MsgBox(texts.printDone, forms::vbInformation, texts.boxTitle);
    } else {
        forms::MsgBox(texts.printFailed, forms::vbExclamation, texts.boxTitle);
    }
}

void ListOutput::ShowSaveResult(int32_t code) const {
    const ListOutputTexts& texts = settings_.texts;
    if (code >= 0) {
        forms::MsgBox(texts.saveDone, forms::vbInformation, texts.boxTitle);
    } else {
        forms::MsgBox(texts.saveFailed, forms::vbExclamation, texts.boxTitle);
    }
}
