#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>

namespace jet {

// The items of an ADO connection text: "Key=Value;" pairs, keys without regard to case
// and in any order. A value may be put in "double" or 'single' quotes (a doubled quote
// stands for itself) or in {braces}, so that it can hold a ";".
class ConnectionText {
  public:
    // Nothing when a quote or brace is left open or an item has no "=".
    static std::optional<ConnectionText> parse(QStringView text);

    // A value written so that parse() gives it back whatever it holds: in double quotes
    // (a quote inside doubled) when it has a ";", a quote, a brace or blanks at an end.
    static QString quote(const QString& value);

    // The value of the key, or an empty text when the key is absent.
    QString value(QStringView key) const;
    bool contains(QStringView key) const;

  private:
    QHash<QString, QString> items_;  // keys lower-cased
};

}  // namespace jet
