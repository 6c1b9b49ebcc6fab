#include "PdfReader.h"

#include <pugixml.hpp>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>

namespace {

constexpr double millimetresPerPoint = 25.4 / 72.0;

QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

}  // namespace

std::vector<PdfWord> PdfPage::find(const QString& text) const {
    std::vector<PdfWord> found;
    for (const PdfWord& word : words) {
        if (word.text == text) {
            found.push_back(word);
        }
    }
    return found;
}

QString PdfPage::text() const {
    QStringList texts;
    for (const PdfWord& word : words) {
        texts << word.text;
    }
    return texts.join(' ');
}

std::vector<PdfPage> readPdf(const QString& path) {
    const QByteArray xhtml = runTool("pdftotext", {"-bbox", path, "-"});
    pugi::xml_document document;
    std::vector<PdfPage> pages;
    if (!document.load_buffer(xhtml.constData(), xhtml.size())) {
        return pages;
    }
    for (const pugi::xpath_node& hit : document.select_nodes("//page")) {
        const pugi::xml_node page = hit.node();
        PdfPage read{page.attribute("width").as_double() * millimetresPerPoint,
                     page.attribute("height").as_double() * millimetresPerPoint,
                     {}};
        for (pugi::xml_node word : page.children("word")) {
            read.words.push_back(PdfWord{QString::fromUtf8(word.child_value()),
                                         word.attribute("xMin").as_double() * millimetresPerPoint,
                                         word.attribute("yMin").as_double() * millimetresPerPoint,
                                         word.attribute("xMax").as_double() * millimetresPerPoint,
                                         word.attribute("yMax").as_double() * millimetresPerPoint});
        }
        pages.push_back(read);
    }
    return pages;
}

QString pdfTitle(const QString& path) {
    const QStringList lines = QString::fromUtf8(runTool("pdfinfo", {path})).split('\n');
    for (const QString& line : lines) {
        if (line.startsWith("Title:")) {
            return line.mid(6).trimmed();
        }
    }
    return QString();
}

QStringList pdfFontNames(const QString& path) {
    const QStringList lines = QString::fromUtf8(runTool("pdffonts", {path})).split('\n');
    QStringList names;
    // Two heading lines, then one font a line, its name first.
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString name = lines[i].section(' ', 0, 0, QString::SectionSkipEmpty);
        if (!name.isEmpty()) {
            names << name.section('+', -1);
        }
    }
    return names;
}

bool isInOneJapaneseGothic(const QString& path) {
    const QStringList fonts = pdfFontNames(path);
    return fonts.size() == 1 && (fonts[0] == QStringLiteral("IPAGothic") ||
                                 fonts[0].startsWith(QStringLiteral("NotoSansCJKjp")) ||
                                 fonts[0].startsWith(QStringLiteral("NotoSansMonoCJKjp")));
}

QImage renderPdfPage(const QString& path, int page, int dotsPerInch) {
    QTemporaryDir folder;
    const QString stem = folder.filePath("page");
    // Without smoothing a hairline is one dark dot wide.
    runTool("pdftoppm",
            {"-gray", "-aa", "no", "-aaVector", "no", "-r", QString::number(dotsPerInch), "-f",
             QString::number(page), "-l", QString::number(page), "-singlefile", path, stem});
    return QImage(stem + ".pgm");
}

bool isDarkLine(const QImage& page, int dotsPerInch, double x1, double y1, double x2, double y2) {
    const double dots = dotsPerInch / 25.4;
    const int steps = 20;
    for (int i = 0; i <= steps; ++i) {
        const double x = (x1 + (x2 - x1) * i / steps) * dots;
        const double y = (y1 + (y2 - y1) * i / steps) * dots;
        // The darkest pixel within one dot of the point: lines are a dot or two wide.
        int darkest = 255;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const int px = static_cast<int>(std::lround(x)) + dx;
                const int py = static_cast<int>(std::lround(y)) + dy;
                if (page.valid(px, py)) {
                    darkest = std::min(darkest, qGray(page.pixel(px, py)));
                }
            }
        }
        if (darkest > 128) {
            return false;
        }
    }
    return true;
}
