#pragma once

#include <pugixml.hpp>

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace excel {

// Reading and writing the XML parts of a workbook.
namespace xmlpart {

// False when the bytes are not well-formed XML. Whitespace that is the whole text of
// an element is kept (a cell text of one blank).
bool load(pugi::xml_document& document, const QByteArray& bytes);
// UTF-8 with the standalone declaration the parts carry.
QByteArray save(const pugi::xml_document& document);

// Cell texts escape characters that XML cannot carry as "_xHHHH_".
QString decodeText(const char* text);
std::string encodeText(const QString& text);

// The text of a shared or inline string, plain or in runs, without phonetic runs.
QString stringItemText(pugi::xml_node item);

// The first child with this local name, whatever its namespace prefix.
pugi::xml_node child(pugi::xml_node node, const char* localName);
bool isNamed(pugi::xml_node node, const char* localName);
// The child elements with this local name, in order.
std::vector<pugi::xml_node> elements(pugi::xml_node parent, const char* localName);

// Takes the stored result (and its type) out of a formula cell, so that whatever
// opens the workbook shows the formula calculated anew; false for any other cell.
bool dropFormulaResult(pugi::xml_node cell);

}  // namespace xmlpart

}  // namespace excel
