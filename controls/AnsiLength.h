#pragma once

#include <QString>

// Text lengths as the system's multi-byte code page counts them: ASCII characters and
// half-width katakana take one byte, every other character two.
namespace AnsiLength {

int Bytes(const QString& text);

// The longest beginning of text that takes at most maxBytes bytes (whole characters).
QString Left(const QString& text, int maxBytes);

}  // namespace AnsiLength
