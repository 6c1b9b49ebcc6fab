#include "XmlPart.h"

#include <cstring>
#include <sstream>

namespace excel::xmlpart {

namespace {

bool isHexDigit(QChar c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_xHHHH_" at position i.
bool isEscapeAt(const QString& text, qsizetype i) {
    if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') {
        return false;
    }
    for (qsizetype j = i + 2; j < i + 6; ++j) {
        if (!isHexDigit(text[j])) {
            return false;
        }
    }
    return true;
}

bool allowedInXml(char16_t c) {
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

bool load(pugi::xml_document& document, const QByteArray& bytes) {
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    return document.load_buffer(bytes.constData(), bytes.size(), options, pugi::encoding_utf8);
}

QByteArray save(const pugi::xml_document& document) {
    std::ostringstream out;
    out << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        << "\n";
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return QByteArray::fromStdString(out.str());
}

QString decodeText(const char* text) {
    const QString raw = QString::fromUtf8(text);
    QString decoded;
    decoded.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (isEscapeAt(raw, i)) {
            decoded += QChar(raw.mid(i + 2, 4).toUShort(nullptr, 16));
            i += 6;
        } else {
            decoded += raw[i];
        }
    }
    return decoded;
}

std::string encodeText(const QString& text) {
    QString encoded;
    encoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!allowedInXml(c) || c == 0xFFFE || c == 0xFFFF || (c == '_' && isEscapeAt(text, i))) {
            encoded += QStringLiteral("_x%1_").arg(QString::number(c, 16).toUpper(), 4, QChar('0'));
        } else {
            encoded += text[i];
        }
    }
    return encoded.toStdString();
}

QString stringItemText(pugi::xml_node item) {
    QString text;
    for (pugi::xml_node node : item.children()) {
        if (isNamed(node, "t")) {
            text += decodeText(node.child_value());
        } else if (isNamed(node, "r")) {
            text += decodeText(child(node, "t").child_value());
        }
    }
    return text;
}

bool isNamed(pugi::xml_node node, const char* localName) {
    const char* name = node.name();
    const char* colon = std::strchr(name, ':');
    return std::strcmp(colon != nullptr ? colon + 1 : name, localName) == 0;
}

std::vector<pugi::xml_node> elements(pugi::xml_node parent, const char* localName) {
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node node : parent.children()) {
        if (node.type() == pugi::node_element && isNamed(node, localName)) {
            found.push_back(node);
        }
    }
    return found;
}

pugi::xml_node child(pugi::xml_node node, const char* localName) {
    for (pugi::xml_node c : node.children()) {
        if (isNamed(c, localName)) {
            return c;
        }
    }
    return pugi::xml_node();
}

bool dropFormulaResult(pugi::xml_node cell) {
    if (!isNamed(cell, "c") || !child(cell, "f")) {
        return false;
    }
    while (pugi::xml_node v = child(cell, "v")) {
        cell.remove_child(v);
    }
    cell.remove_attribute("t");
    return true;
}

}  // namespace excel::xmlpart
