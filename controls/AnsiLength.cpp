#include "AnsiLength.h"

#include <QList>

namespace AnsiLength {

namespace {

int bytesOf(char32_t code) {
    const bool halfWidthKatakana = code >= 0xFF61 && code <= 0xFF9F;
    return code < 0x80 || halfWidthKatakana ? 1 : 2;
}

}  // namespace

int Bytes(const QString& text) {
    int bytes = 0;
    for (const char32_t code : text.toUcs4()) {
        bytes += bytesOf(code);
    }
    return bytes;
}

QString Left(const QString& text, int maxBytes) {
    int bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const char32_t code =
            pair ? QChar::surrogateToUcs4(text[end], text[end + 1]) : text[end].unicode();
        bytes += bytesOf(code);
        if (bytes > maxBytes) {
            break;
        }
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

}  // namespace AnsiLength
