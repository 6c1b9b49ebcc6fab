#include "Workbook.h"

#include <pugixml.hpp>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>
#include <optional>

#include "ExcelError.h"
#include "XmlPart.h"

namespace excel {

namespace {

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" (the package) -> "_rels/.rels".
QString relsFor(const QString& part) {
    const qsizetype slash = part.lastIndexOf('/');
    return part.left(slash + 1) + "_rels/" + part.mid(slash + 1) + ".rels";
}

// A relation's target as a part name: relative to the folder of the source part, or
// absolute from the package root.
QString resolve(const QString& sourcePart, const QString& target) {
    if (target.startsWith('/')) {
        return target.mid(1);
    }
    const QString folder = sourcePart.left(sourcePart.lastIndexOf('/') + 1);
    return QDir::cleanPath(folder + target);
}

// The value of an attribute by its local name ("r:id" for "id").
const char* attributeByLocalName(pugi::xml_node node, const char* localName) {
    for (pugi::xml_attribute attribute : node.attributes()) {
        const QString name = QString::fromUtf8(attribute.name());
        if (name.section(':', -1) == QLatin1String(localName) && name.contains(':')) {
            return attribute.value();
        }
    }
    return "";
}

std::vector<QString> readSharedStrings(const QByteArray& part) {
    std::vector<QString> strings;
    pugi::xml_document document;
    if (!xmlpart::load(document, part)) {
        return strings;
    }
    for (pugi::xml_node item : xmlpart::elements(document.document_element(), "si")) {
        strings.push_back(xmlpart::stringItemText(item));
    }
    return strings;
}

// Removes the calculation chain, which lists formula cells; the application builds it
// anew when it opens the file.
void dropCalcChain(ZipPackage& package, const QString& workbookPart) {
    const QString relsPart = relsFor(workbookPart);
    pugi::xml_document rels;
    if (!xmlpart::load(rels, package.part(relsPart))) {
        return;
    }
    for (pugi::xml_node relation : xmlpart::elements(rels.document_element(), "Relationship")) {
        const QString type = QString::fromUtf8(relation.attribute("Type").value());
        if (type.endsWith("/calcChain")) {
            const QString part =
                resolve(workbookPart, QString::fromUtf8(relation.attribute("Target").value()));
            package.removePart(part);
            rels.document_element().remove_child(relation);
            pugi::xml_document types;
            if (xmlpart::load(types, package.part("[Content_Types].xml"))) {
                for (pugi::xml_node entry :
                     xmlpart::elements(types.document_element(), "Override")) {
                    if (QString::fromUtf8(entry.attribute("PartName").value()) == "/" + part) {
                        types.document_element().remove_child(entry);
                    }
                }
                package.setPart("[Content_Types].xml", xmlpart::save(types));
            }
        }
    }
    package.setPart(relsPart, xmlpart::save(rels));
}

// Asks the reader to calculate every formula anew when it opens the workbook, and to
// go on calculating automatically: their stored results predate the written values, and
// a layout left in manual calculation would show them as they were. calcPr goes in its
// place in the sequence of the workbook's elements.
void requestFullCalcOnLoad(pugi::xml_node workbook) {
    pugi::xml_node calcPr = xmlpart::child(workbook, "calcPr");
    if (!calcPr) {
        pugi::xml_node before;
        for (pugi::xml_node node : workbook.children()) {
            for (const char* name :
                 {"fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews",
                  "sheets", "functionGroups", "externalReferences", "definedNames"}) {
                if (xmlpart::isNamed(node, name)) {
                    before = node;
                }
            }
        }
        const std::string root = workbook.name();
        const std::string name = root.substr(0, root.size() - std::strlen("workbook")) + "calcPr";
        calcPr = before ? workbook.insert_child_after(name.c_str(), before)
                        : workbook.prepend_child(name.c_str());
    }
    calcPr.remove_attribute("calcMode");
    calcPr.remove_attribute("fullCalcOnLoad");
    calcPr.append_attribute("fullCalcOnLoad").set_value("1");
}

// Takes the stored results out of the formulas of a sheet part; the bytes of the part
// without them, or nothing when the part had none (or is not XML).
std::optional<QByteArray> withoutFormulaResults(const QByteArray& part) {
    pugi::xml_document sheet;
    if (!xmlpart::load(sheet, part)) {
        return std::nullopt;
    }
    bool dropped = false;
    for (pugi::xml_node row :
         xmlpart::elements(xmlpart::child(sheet.document_element(), "sheetData"), "row")) {
        for (pugi::xml_node cell : row.children()) {
            dropped = xmlpart::dropFormulaResult(cell) || dropped;
        }
    }
    return dropped ? std::optional<QByteArray>(xmlpart::save(sheet)) : std::nullopt;
}

}  // namespace

std::unique_ptr<Workbook> Workbook::Open(const QString& path, int32_t& error) {
    if (!QFileInfo(path).isFile()) {
        error = errFileNotFound;
        return nullptr;
    }
    std::optional<ZipPackage> package = ZipPackage::read(path);
    std::unique_ptr<Workbook> book(new Workbook());
    if (package) {
        book->path_ = QFileInfo(path).absoluteFilePath();
        book->package_ = std::move(*package);
    }
    if (!package || !book->load()) {
        error = errApplicationDefined;
        return nullptr;
    }
    error = 0;
    return book;
}

QString Workbook::relationTarget(const QString& sourcePart, const QString& typeSuffix,
                                 const QString& id) const {
    pugi::xml_document rels;
    if (!xmlpart::load(rels, package_.part(relsFor(sourcePart)))) {
        return QString();
    }
    for (pugi::xml_node relation : xmlpart::elements(rels.document_element(), "Relationship")) {
        const QString type = QString::fromUtf8(relation.attribute("Type").value());
        const bool match = id.isEmpty() ? type.endsWith(typeSuffix)
                                        : QString::fromUtf8(relation.attribute("Id").value()) == id;
        if (match) {
            return resolve(sourcePart, QString::fromUtf8(relation.attribute("Target").value()));
        }
    }
    return QString();
}

bool Workbook::load() {
    workbookPart_ = relationTarget(QString(), "/officeDocument");
    pugi::xml_document workbook;
    if (workbookPart_.isEmpty() || !xmlpart::load(workbook, package_.part(workbookPart_))) {
        return false;
    }
    const std::vector<pugi::xml_node> sheets =
        xmlpart::elements(xmlpart::child(workbook.document_element(), "sheets"), "sheet");
    const QString sheetId =
        sheets.empty() ? QString() : QString::fromUtf8(attributeByLocalName(sheets.front(), "id"));
    if (sheetId.isEmpty()) {
        return false;
    }
    sheetPart_ = relationTarget(workbookPart_, QString(), sheetId);
    stylesPart_ = relationTarget(workbookPart_, "/styles");
    const QString stringsPart = relationTarget(workbookPart_, "/sharedStrings");
    if (sheetPart_.isEmpty() || stylesPart_.isEmpty() ||
        !styles_.load(package_.part(stylesPart_))) {
        return false;
    }
    if (!stringsPart.isEmpty()) {
        sharedStrings_ = readSharedStrings(package_.part(stringsPart));
    }
    sheet_ = std::make_unique<Worksheet>(styles_, sharedStrings_);
    return sheet_->load(package_.part(sheetPart_));
}

QString Workbook::Name() const {
    return QFileInfo(path_).fileName();
}

ZipPackage Workbook::currentPackage() {
    ZipPackage package = package_;
    package.setPart(sheetPart_, sheet_->save());
    if (styles_.changed()) {
        package.setPart(stylesPart_, styles_.save());
    }
    if (sheet_->formulasReplaced()) {
        dropCalcChain(package, workbookPart_);
    }
    pugi::xml_document workbook;
    if (xmlpart::load(workbook, package.part(workbookPart_))) {
        requestFullCalcOnLoad(workbook.document_element());
        package.setPart(workbookPart_, xmlpart::save(workbook));
        // The other sheets' formulas may add up the written rows: a reader that trusted
        // their stored results would show figures from before.
        for (pugi::xml_node sheet :
             xmlpart::elements(xmlpart::child(workbook.document_element(), "sheets"), "sheet")) {
            const QString part = relationTarget(
                workbookPart_, QString(), QString::fromUtf8(attributeByLocalName(sheet, "id")));
            if (part.isEmpty() || part == sheetPart_) {
                continue;
            }
            if (const std::optional<QByteArray> bytes = withoutFormulaResults(package.part(part))) {
                package.setPart(part, *bytes);
            }
        }
    }
    return package;
}

int32_t Workbook::SaveAs(const QString& path) {
    const std::optional<QByteArray> bytes = currentPackage().archive();
    QSaveFile file(path);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() ||
        !file.commit()) {
        return errApplicationDefined;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    return 0;
}

std::optional<QByteArray> Workbook::PrintCopy() {
    ZipPackage package = currentPackage();
    pugi::xml_document workbook;
    if (!xmlpart::load(workbook, package.part(workbookPart_))) {
        return std::nullopt;
    }
    const pugi::xml_node root = workbook.document_element();
    bool first = true;
    for (pugi::xml_node sheet : xmlpart::elements(xmlpart::child(root, "sheets"), "sheet")) {
        sheet.remove_attribute("state");
        if (!first) {
            sheet.append_attribute("state").set_value("hidden");
        }
        first = false;
    }
    for (pugi::xml_node view :
         xmlpart::elements(xmlpart::child(root, "bookViews"), "workbookView")) {
        view.remove_attribute("activeTab");
        view.remove_attribute("firstSheet");
    }
    package.setPart(workbookPart_, xmlpart::save(workbook));
    return package.archive();
}

}  // namespace excel
