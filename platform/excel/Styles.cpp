#include "Styles.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "XmlPart.h"

namespace excel {

namespace {

// An element name with the prefix its parent uses ("x:font" beside "x:fonts").
std::string nameBeside(pugi::xml_node parent, const char* localName) {
    const std::string name = parent.name();
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? localName : name.substr(0, colon + 1) + localName;
}

pugi::xml_node nth(pugi::xml_node parent, const char* localName, int index) {
    int i = 0;
    for (pugi::xml_node node : parent.children()) {
        if (node.type() == pugi::node_element && xmlpart::isNamed(node, localName) &&
            i++ == index) {
            return node;
        }
    }
    return pugi::xml_node();
}

int countOf(pugi::xml_node parent, const char* localName) {
    return static_cast<int>(xmlpart::elements(parent, localName).size());
}

void setCount(pugi::xml_node parent, int count) {
    pugi::xml_attribute attribute = parent.attribute("count");
    if (!attribute) {
        attribute = parent.append_attribute("count");
    }
    attribute.set_value(count);
}

void setValue(pugi::xml_node node, const char* localName, const char* value) {
    pugi::xml_node element = xmlpart::child(node, localName);
    if (!element) {
        element = node.append_child(nameBeside(node, localName).c_str());
    }
    element.remove_attributes();
    element.append_attribute("val").set_value(value);
}

struct SideName {
    int side;
    const char* name;
};
// The order in which a border's parts stand in the stylesheet.
constexpr std::array<const char*, 7> borderParts{"left",     "right",    "top",       "bottom",
                                                 "diagonal", "vertical", "horizontal"};
// The built-in number formats that a list's cells use, by id.
struct BuiltInFormat {
    int id;
    const char* code;
};
constexpr std::array<BuiltInFormat, 7> builtInFormats{BuiltInFormat{0, "General"},
                                                      {1, "0"},
                                                      {2, "0.00"},
                                                      {3, "#,##0"},
                                                      {4, "#,##0.00"},
                                                      {14, "mm-dd-yy"},
                                                      {49, "@"}};
// Ids below this one are built in.
constexpr int firstCustomFormat = 164;

constexpr std::array<SideName, 4> sideNames{SideName{SideLeft, "left"},
                                            SideName{SideRight, "right"}, SideName{SideTop, "top"},
                                            SideName{SideBottom, "bottom"}};

}  // namespace

bool Styles::load(const QByteArray& part) {
    if (!xmlpart::load(document_, part)) {
        return false;
    }
    const pugi::xml_node sheet = document_.document_element();
    fonts_ = xmlpart::child(sheet, "fonts");
    borders_ = xmlpart::child(sheet, "borders");
    cellFormats_ = xmlpart::child(sheet, "cellXfs");
    numberFormats_ = xmlpart::child(sheet, "numFmts");
    return xmlpart::isNamed(sheet, "styleSheet") && fonts_ && borders_ && cellFormats_ &&
           countOf(cellFormats_, "xf") > 0;
}

QByteArray Styles::save() const {
    return xmlpart::save(document_);
}

int Styles::formatCount() const {
    return countOf(cellFormats_, "xf");
}

pugi::xml_node Styles::formatNode(int format) const {
    pugi::xml_node node = nth(cellFormats_, "xf", format);
    return node ? node : nth(cellFormats_, "xf", 0);
}

int Styles::formatAttribute(int format, const char* name) const {
    return formatNode(format).attribute(name).as_int(0);
}

int Styles::addFormat(int format, const char* attribute, int value, const char* applyAttribute) {
    pugi::xml_node copy = cellFormats_.append_copy(formatNode(format));
    pugi::xml_attribute target = copy.attribute(attribute);
    if (!target) {
        target = copy.append_attribute(attribute);
    }
    target.set_value(value);
    pugi::xml_attribute apply = copy.attribute(applyAttribute);
    if (!apply) {
        apply = copy.append_attribute(applyAttribute);
    }
    apply.set_value(1);
    const int count = formatCount();
    setCount(cellFormats_, count);
    changed_ = true;
    return count - 1;
}

int Styles::addFont(int font, const QString& fontName) {
    pugi::xml_node source = nth(fonts_, "font", font);
    pugi::xml_node copy = source ? fonts_.append_copy(source)
                                 : fonts_.append_child(nameBeside(fonts_, "font").c_str());
    for (const char* style : {"b", "i", "scheme"}) {
        while (pugi::xml_node part = xmlpart::child(copy, style)) {
            copy.remove_child(part);
        }
    }
    setValue(copy, "name", fontName.toStdString().c_str());
    // A Japanese face: Shift-JIS character set, fixed-pitch family.
    setValue(copy, "family", "3");
    setValue(copy, "charset", "128");
    const int count = countOf(fonts_, "font");
    setCount(fonts_, count);
    return count - 1;
}

int Styles::addBorder(int border, int sides, bool draw) {
    const pugi::xml_node source = nth(borders_, "border", border);
    pugi::xml_node copy = borders_.append_child(nameBeside(borders_, "border").c_str());
    for (pugi::xml_attribute attribute : source.attributes()) {
        copy.append_attribute(attribute.name()).set_value(attribute.value());
    }
    for (const char* part : borderParts) {
        pugi::xml_node old = xmlpart::child(source, part);
        int side = 0;
        for (const SideName& s : sideNames) {
            if (std::string(s.name) == part) {
                side = s.side;
            }
        }
        if ((sides & side) == 0) {
            if (old) {
                copy.append_copy(old);
            } else if (side != 0 || std::string(part) == "diagonal") {
                copy.append_child(nameBeside(borders_, part).c_str());
            }
            continue;
        }
        pugi::xml_node line = copy.append_child(nameBeside(borders_, part).c_str());
        if (draw) {
            line.append_attribute("style").set_value("thin");
            line.append_child(nameBeside(borders_, "color").c_str())
                .append_attribute("indexed")
                .set_value(64);
        }
    }
    const int count = countOf(borders_, "border");
    setCount(borders_, count);
    return count - 1;
}

int Styles::withFont(int format, const QString& fontName) {
    const auto key = std::make_tuple(format, fontName);
    if (const auto found = fontFormats_.find(key); found != fontFormats_.end()) {
        return found->second;
    }
    const int font = addFont(formatAttribute(format, "fontId"), fontName);
    const int result = addFormat(format, "fontId", font, "applyFont");
    fontFormats_[key] = result;
    fontFormats_[std::make_tuple(result, fontName)] = result;
    return result;
}

int Styles::withBorder(int format, int sides, bool draw) {
    const auto key = std::make_tuple(format, sides, draw);
    if (const auto found = borderFormats_.find(key); found != borderFormats_.end()) {
        return found->second;
    }
    const int border = addBorder(formatAttribute(format, "borderId"), sides, draw);
    const int result = addFormat(format, "borderId", border, "applyBorder");
    borderFormats_[key] = result;
    borderFormats_[std::make_tuple(result, sides, draw)] = result;
    return result;
}

int Styles::withNumberFormat(int format, int id) {
    if (id == numberFormatId(format)) {
        return format;
    }
    const auto key = std::make_tuple(format, id);
    if (const auto found = numberFormatFormats_.find(key); found != numberFormatFormats_.end()) {
        return found->second;
    }
    const int result = addFormat(format, "numFmtId", id, "applyNumberFormat");
    numberFormatFormats_[key] = result;
    return result;
}

int Styles::withNumberFormat(int format, const QString& code) {
    return withNumberFormat(format, numberFormatIdOf(code));
}

int Styles::numberFormatIdOf(const QString& code) {
    for (const BuiltInFormat& builtIn : builtInFormats) {
        if (code == QLatin1String(builtIn.code)) {
            return builtIn.id;
        }
    }
    int next = firstCustomFormat;
    for (pugi::xml_node entry : xmlpart::elements(numberFormats_, "numFmt")) {
        const int id = entry.attribute("numFmtId").as_int();
        if (QString::fromUtf8(entry.attribute("formatCode").value()) == code) {
            return id;
        }
        next = std::max(next, id + 1);
    }
    if (!numberFormats_) {
        // The number formats come first in a stylesheet.
        numberFormats_ =
            document_.document_element().prepend_child(nameBeside(fonts_, "numFmts").c_str());
    }
    pugi::xml_node entry =
        numberFormats_.append_child(nameBeside(numberFormats_, "numFmt").c_str());
    entry.append_attribute("numFmtId").set_value(next);
    entry.append_attribute("formatCode").set_value(code.toUtf8().constData());
    setCount(numberFormats_, countOf(numberFormats_, "numFmt"));
    changed_ = true;
    return next;
}

QString Styles::fontName(int format) const {
    const pugi::xml_node font = nth(fonts_, "font", formatAttribute(format, "fontId"));
    return QString::fromUtf8(xmlpart::child(font, "name").attribute("val").value());
}

bool Styles::fontBold(int format) const {
    const pugi::xml_node bold =
        xmlpart::child(nth(fonts_, "font", formatAttribute(format, "fontId")), "b");
    return bold && bold.attribute("val").as_bool(true);
}

int Styles::borderSides(int format) const {
    const pugi::xml_node border = nth(borders_, "border", formatAttribute(format, "borderId"));
    int sides = 0;
    for (const SideName& s : sideNames) {
        const pugi::xml_node line = xmlpart::child(border, s.name);
        const std::string style = line.attribute("style").value();
        if (!style.empty() && style != "none") {
            sides |= s.side;
        }
    }
    return sides;
}

int Styles::numberFormatId(int format) const {
    return formatAttribute(format, "numFmtId");
}

QString Styles::numberFormatCode(int format) const {
    const int id = numberFormatId(format);
    for (pugi::xml_node entry : xmlpart::elements(numberFormats_, "numFmt")) {
        if (entry.attribute("numFmtId").as_int() == id) {
            return QString::fromUtf8(entry.attribute("formatCode").value());
        }
    }
    for (const BuiltInFormat& builtIn : builtInFormats) {
        if (builtIn.id == id) {
            return QString::fromLatin1(builtIn.code);
        }
    }
    return QString();
}

}  // namespace excel
