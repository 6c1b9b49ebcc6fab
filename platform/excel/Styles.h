#pragma once

#include <pugixml.hpp>

#include <QByteArray>
#include <QString>
#include <map>
#include <tuple>

namespace excel {

// Sides of a cell's border.
enum BorderSide : int {
    SideLeft = 1,
    SideTop = 2,
    SideBottom = 4,
    SideRight = 8,
};

// The styles part of a workbook. Cells refer to cell formats by index; changing the
// look of a cell means a new cell format (and font or border) that differs from the
// cell's old one in just that, shared by every cell that needs the same change.
class Styles {
  public:
    // False when the part is not a stylesheet with cell formats.
    bool load(const QByteArray& part);
    QByteArray save() const;
    bool changed() const { return changed_; }

    int formatCount() const;

    // The cell format with the font renamed and set to the regular style (not bold,
    // not italic), size and colour kept.
    int withFont(int format, const QString& fontName);
    // The cell format with a continuous thin line on the given sides, or with no line
    // there when draw is false.
    int withBorder(int format, int sides, bool draw);
    // The cell format with a built-in number format.
    int withNumberFormat(int format, int id);
    // The cell format with a number format given by its code ("#,##0.00"): the
    // built-in one of that code, else one added to the workbook.
    int withNumberFormat(int format, const QString& code);

    QString fontName(int format) const;
    bool fontBold(int format) const;
    // The sides (BorderSide) on which the cell format draws a line.
    int borderSides(int format) const;
    int numberFormatId(int format) const;
    // The code of the cell format's number format: "General", "@" (text), "0.00", ...
    QString numberFormatCode(int format) const;

  private:
    pugi::xml_node formatNode(int format) const;
    int formatAttribute(int format, const char* name) const;
    int addFormat(int format, const char* attribute, int value, const char* applyAttribute);
    int addFont(int font, const QString& fontName);
    int addBorder(int border, int sides, bool draw);
    int numberFormatIdOf(const QString& code);

    pugi::xml_document document_;
    pugi::xml_node fonts_;
    pugi::xml_node borders_;
    pugi::xml_node cellFormats_;
    pugi::xml_node numberFormats_;  // the workbook's own number formats, when it has any
    std::map<std::tuple<int, QString>, int> fontFormats_;
    std::map<std::tuple<int, int, bool>, int> borderFormats_;
    std::map<std::tuple<int, int>, int> numberFormatFormats_;
    bool changed_ = false;
};

}  // namespace excel
