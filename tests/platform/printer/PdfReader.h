#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

// What a PDF file shows, read with the poppler tools. Measures are millimetres from the
// top-left corner of the page.
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
};

struct PdfPage {
    double width, height;
    std::vector<PdfWord> words;

    // The words with this text, in reading order.
    std::vector<PdfWord> find(const QString& text) const;
    // All texts of the page joined by blanks.
    QString text() const;
};

// The pages and their words (pdftotext -bbox); empty when the file cannot be read.
std::vector<PdfPage> readPdf(const QString& path);

// The document title (pdfinfo).
QString pdfTitle(const QString& path);

// The names of the fonts the file uses (pdffonts), subset prefixes removed
// ("IPAGothic" for "BAAAAA+IPAGothic").
QStringList pdfFontNames(const QString& path);

// True when all text of the file, digits and Japanese alike, is in one font, a
// Japanese Gothic this machine has: IPA Gothic or Noto Sans (Mono) CJK, which the
// spreadsheet program names "NotoSansCJKjp-Regular-VKana" and the like.
bool isInOneJapaneseGothic(const QString& path);

// One page as a grey image at the given resolution (pdftoppm).
QImage renderPdfPage(const QString& path, int page, int dotsPerInch);

// True when the pixels along the line between two points (millimetres) are dark.
bool isDarkLine(const QImage& page, int dotsPerInch, double x1, double y1, double x2, double y2);
