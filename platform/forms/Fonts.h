#pragma once

#include <QFont>
#include <QString>

namespace forms {

// The installed family that stands in for a font name of the system: the Japanese
// Gothic faces ("MS UI Gothic", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", ...) resolve to IPA Gothic
// or Noto Sans CJK JP, the Mincho faces to IPA Mincho or Noto Serif CJK JP. An installed
// family is kept; any other name gives the Gothic face.
QString resolveFontFamily(const QString& name);

// A font of that name, size in points and weight. The pixel size is the points at
// 96 dots per inch (10 pt = 13 pixels), so that text measures in twips stay the same
// on every screen.
QFont resolveFont(const QString& name, double sizePt, bool bold = false);

// The pixel height of a font size in points at 96 dots per inch (at least 1).
int fontPixelSize(double sizePt);

}  // namespace forms
