#include "Printer.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <optional>

#include "PdfJob.h"
#include "WorkFolder.h"
#include "platform/forms/App.h"
#include "platform/forms/Fonts.h"

namespace printer {

namespace {

QString& outputFile() {
    static QString path;
    return path;
}

// Millimetres in one unit of a scale mode.
std::optional<double> unitMillimetres(int mode) {
    switch (mode) {
        case vbTwips:
            return 25.4 / 1440.0;
        case vbPoints:
            return 25.4 / 72.0;
        case vbInches:
            return 25.4;
        case vbMillimeters:
            return 1.0;
        case vbCentimeters:
            return 10.0;
        default:
            return std::nullopt;
    }
}

QPageLayout::Orientation pageOrientation(int orientation) {
    return orientation == vbPRORLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Lines one printer dot wide, as at 600 dots per inch.
constexpr double dotsPerInch = 600.0;

// The resolution the pages are drawn and texts measured at.
constexpr int pdfResolution = 1200;

QPageLayout pageLayout(int orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), pageOrientation(orientation),
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

}  // namespace

void setOutputFileName(const QString& path) {
    outputFile() = path;
}

QString outputFileName() {
    return outputFile();
}

Printer::Printer()
    : measureBuffer_(std::make_unique<QBuffer>()),
      measure_(std::make_unique<QPdfWriter>(measureBuffer_.get())) {
    measure_->setResolution(pdfResolution);
    SetFontName(QStringLiteral("ＭＳ ゴシック"));
    SetFontSize(10);
}

Printer::~Printer() = default;

bool Printer::SetScaleMode(int mode) {
    if (!unitMillimetres(mode)) {
        return false;
    }
    scaleMode_ = mode;
    return true;
}

bool Printer::SetPaperSize(int size) {
    return size == vbPRPSA4;
}

bool Printer::SetOrientation(int orientation) {
    if (orientation != vbPRORPortrait && orientation != vbPRORLandscape) {
        return false;
    }
    orientation_ = orientation;
    return true;
}

void Printer::SetFontName(const QString& name) {
    font_.setFamily(forms::resolveFontFamily(name));
    font_.setHintingPreference(QFont::PreferNoHinting);
}

void Printer::SetFontSize(double points) {
    font_.setPointSizeF(points);
}

double Printer::millimetres(double value) const {
    return value * *unitMillimetres(scaleMode_);
}

double Printer::units(double value) const {
    return value / *unitMillimetres(scaleMode_);
}

double Printer::CurrentX() const {
    return units(x_);
}

void Printer::SetCurrentX(double x) {
    x_ = millimetres(x);
}

double Printer::CurrentY() const {
    return units(y_);
}

void Printer::SetCurrentY(double y) {
    y_ = millimetres(y);
}

Printer::Page& Printer::page() {
    if (!pageOpen_) {
        pages_.push_back(Page{orientation_, {}, {}});
        pageOpen_ = true;
    }
    return pages_.back();
}

void Printer::Print(const QString& text, bool stayOnLine) {
    page().texts.push_back(Text{x_, y_, text, font_});
    if (stayOnLine) {
        x_ += millimetres(TextWidth(text));
    } else {
        x_ = 0;
        y_ += millimetres(TextHeight(text));
    }
}

void Printer::Line(double x1, double y1, double x2, double y2) {
    page().rules.push_back(
        Rule{millimetres(x1), millimetres(y1), millimetres(x2), millimetres(y2)});
    x_ = millimetres(x2);
    y_ = millimetres(y2);
}

double Printer::TextWidth(const QString& text) const {
    const QFontMetricsF metrics(font_, measure_.get());
    return units(metrics.horizontalAdvance(text) * 25.4 / measure_->resolution());
}

double Printer::TextHeight(const QString& text) const {
    const QFontMetricsF metrics(font_, measure_.get());
    const qsizetype lines = std::max<qsizetype>(1, text.count('\n') + 1);
    return units(metrics.height() * lines * 25.4 / measure_->resolution());
}

void Printer::NewPage() {
    page();
    pageOpen_ = false;
}

void Printer::KillDoc() {
    pages_.clear();
    pageOpen_ = false;
}

bool Printer::EndDoc() {
    const std::vector<Page> pages = std::move(pages_);
    KillDoc();
    if (pages.empty()) {
        return true;
    }
    const QString file = outputFileName();
    if (file.isEmpty()) {
        // The document goes to the default printer as a PDF job named after the
        // program; the print server's answer says whether the job was taken.
        const WorkFolder folder;
        const QString pdf = folder.filePath(QStringLiteral("print.pdf"));
        return folder.isValid() && writePdf(pages, pdf) && printPdfFile(pdf, forms::App::Title());
    }
    // Written beside the file and put in its place when complete.
    const QString part = file + ".part";
    if (!writePdf(pages, part)) {
        QFile::remove(part);
        return false;
    }
    QFile::remove(file);
    return QFile::rename(part, file);
}

bool Printer::writePdf(const std::vector<Page>& pages, const QString& path) {
    QPdfWriter target(path);
    target.setTitle(forms::App::Title());
    target.setResolution(pdfResolution);
    target.setPageLayout(pageLayout(pages.front().orientation));
    QPainter painter;
    if (!painter.begin(&target)) {
        return false;
    }
    const double dots = target.resolution() / 25.4;
    painter.setPen(QPen(Qt::black, std::max(1.0, target.resolution() / dotsPerInch)));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const Page& page = pages[i];
        if (i > 0) {
            target.setPageLayout(pageLayout(page.orientation));
            if (!target.newPage()) {
                painter.end();
                return false;
            }
        }
        for (const Rule& rule : page.rules) {
            painter.drawLine(QPointF(rule.x1 * dots, rule.y1 * dots),
                             QPointF(rule.x2 * dots, rule.y2 * dots));
        }
        for (const Text& text : page.texts) {
            painter.setFont(text.font);
            const double baseline = text.y * dots + QFontMetricsF(text.font, &target).ascent();
            painter.drawText(QPointF(text.x * dots, baseline), text.text);
        }
    }
    return painter.end();
}

}  // namespace printer
