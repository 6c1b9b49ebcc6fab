#pragma once

#include <QString>

#include "Currency.h"
#include "Variant.h"

namespace vb {

// Trim, LTrim, RTrim: only blanks (U+0020) are removed, as the runtime does.
QString Trim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);

// Val: reads the longest leading number (blanks, tabs and line feeds are skipped,
// "&H" and "&O" prefixes understood); 0 when there is none.
double Val(const QString& text);

// CCur of a variant (a text is read as a number in the C locale).
Currency CCur(const Variant& value);

// The Like operator with Option Compare Binary: ? * # [list] [!list] [a-z].
// Null never matches.
bool Like(const Variant& value, const QString& pattern);
bool Like(const QString& text, const QString& pattern);

}  // namespace vb
