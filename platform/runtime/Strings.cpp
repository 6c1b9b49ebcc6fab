#include "Strings.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "RuntimeError.h"

namespace vb {

namespace {

qsizetype firstNonBlank(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    return i;
}

qsizetype endNonBlank(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') {
        --end;
    }
    return end;
}

bool skippedByVal(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "&H1F" and "&O17": up to 16 bits read as an Integer, up to 32 bits as a Long, so
// that "&HFFFF" is -1 as in the runtime.
double radixValue(const std::u16string& digits, int radix) {
    uint64_t value = 0;
    for (char16_t c : digits) {
        const int digit = isDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu) {
            throw RuntimeError(errOverflow);
        }
    }
    if (value <= 0xFFFF) {
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// One element of a Like pattern.
struct PatternItem {
    enum Kind { Char, AnyChar, AnyRun, Digit, List };

    explicit PatternItem(Kind k, char16_t c = 0) : kind(k), ch(c) {}

    Kind kind;
    char16_t ch;
    bool negated = false;
    std::vector<std::pair<char16_t, char16_t>> ranges;

    bool matches(char16_t c) const {
        switch (kind) {
            case Char:
                return c == ch;
            case AnyChar:
                return true;
            case Digit:
                return isDigit(c);
            case List:
                for (const auto& [low, high] : ranges) {
                    if (c >= low && c <= high) {
                        return !negated;
                    }
                }
                return negated;
            case AnyRun:
                break;
        }
        return false;
    }
};

std::vector<PatternItem> compilePattern(const QString& pattern) {
    std::vector<PatternItem> items;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = pattern[i].unicode();
        if (c == u'?') {
            items.emplace_back(PatternItem::AnyChar);
        } else if (c == u'*') {
            items.emplace_back(PatternItem::AnyRun);
        } else if (c == u'#') {
            items.emplace_back(PatternItem::Digit);
        } else if (c == u'[') {
            PatternItem list(PatternItem::List);
            qsizetype j = i + 1;
            if (j < n && pattern[j] == u'!') {
                list.negated = true;
                ++j;
            }
            while (j < n && pattern[j] != u']') {
                const char16_t low = pattern[j].unicode();
                if (j + 2 < n && pattern[j + 1] == u'-' && pattern[j + 2] != u']') {
                    const char16_t high = pattern[j + 2].unicode();
                    if (high < low) {
                        throw RuntimeError(errInvalidPatternString);
                    }
                    list.ranges.emplace_back(low, high);
                    j += 3;
                } else {
                    list.ranges.emplace_back(low, low);
                    ++j;
                }
            }
            if (j >= n) {
                throw RuntimeError(errInvalidPatternString);
            }
            // "[]" stands for nothing at all.
            if (!list.ranges.empty() || list.negated) {
                items.push_back(std::move(list));
            }
            i = j;
        } else {
            items.emplace_back(PatternItem::Char, c);
        }
    }
    return items;
}

}  // namespace

QString Trim(const QString& text) {
    const qsizetype start = firstNonBlank(text);
    return text.mid(start, std::max<qsizetype>(0, endNonBlank(text) - start));
}

QString LTrim(const QString& text) {
    return text.mid(firstNonBlank(text));
}

QString RTrim(const QString& text) {
    return text.left(endNonBlank(text));
}

double Val(const QString& text) {
    std::u16string chars;
    for (QChar c : text) {
        if (!skippedByVal(c)) {
            chars.push_back(c.unicode());
        }
    }
    size_t i = 0;
    if (chars.size() >= 2 && chars[0] == u'&') {
        const char16_t prefix = chars[1] | 0x20;
        const int radix = prefix == u'h' ? 16 : prefix == u'o' ? 8 : 0;
        if (radix != 0) {
            std::u16string digits;
            for (i = 2; i < chars.size(); ++i) {
                const char16_t c = chars[i];
                const bool valid = radix == 16
                                       ? isDigit(c) || ((c | 0x20) >= u'a' && (c | 0x20) <= u'f')
                                       : c >= u'0' && c <= u'7';
                if (!valid) {
                    break;
                }
                digits.push_back(c);
            }
            return radixValue(digits, radix);
        }
    }
    std::string number;
    if (i < chars.size() && (chars[i] == u'+' || chars[i] == u'-')) {
        number.push_back(static_cast<char>(chars[i++]));
    }
    bool anyDigit = false;
    while (i < chars.size() && isDigit(chars[i])) {
        number.push_back(static_cast<char>(chars[i++]));
        anyDigit = true;
    }
    if (i < chars.size() && chars[i] == u'.') {
        number.push_back('.');
        ++i;
        while (i < chars.size() && isDigit(chars[i])) {
            number.push_back(static_cast<char>(chars[i++]));
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (i + 1 < chars.size() && ((chars[i] | 0x20) == u'e' || (chars[i] | 0x20) == u'd')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (chars[j] == u'+' || chars[j] == u'-') {
            exponent.push_back(static_cast<char>(chars[j++]));
        }
        if (j < chars.size() && isDigit(chars[j])) {
            while (j < chars.size() && isDigit(chars[j])) {
                exponent.push_back(static_cast<char>(chars[j++]));
            }
            number += exponent;
        }
    }
    const char* begin = number.data();
    if (*begin == '+') {
        ++begin;
    }
    double value = 0;
    const std::from_chars_result read =
        std::from_chars(begin, number.data() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        if (number.find("e-") != std::string::npos) {
            return 0;
        }
        throw RuntimeError(errOverflow);
    }
    return value;
}

Currency CCur(const Variant& value) {
    return value.toCurrency();
}

bool Like(const Variant& value, const QString& pattern) {
    if (value.isNull()) {
        return false;
    }
    return Like(value.toString(), pattern);
}

// Option Compare Binary: each UTF-16 unit is one character, compared by its code.
bool Like(const QString& text, const QString& pattern) {
    const std::vector<PatternItem> items = compilePattern(pattern);
    const qsizetype n = text.size();
    const size_t m = items.size();
    qsizetype t = 0;
    size_t p = 0;
    size_t starItem = m;
    qsizetype starText = 0;
    while (t < n) {
        if (p < m && items[p].kind == PatternItem::AnyRun) {
            starItem = p++;
            starText = t;
        } else if (p < m && items[p].matches(text[t].unicode())) {
            ++p;
            ++t;
        } else if (starItem < m) {
            p = starItem + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m && items[p].kind == PatternItem::AnyRun) {
        ++p;
    }
    return p == m;
}

}  // namespace vb
