#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

class QBuffer;
class QPdfWriter;

namespace printer {

enum ScaleModeConstants : int {
    vbTwips = 1,
    vbPoints = 2,
    vbInches = 5,
    vbMillimeters = 6,
    vbCentimeters = 7,
};

enum PaperSizeConstants : int { vbPRPSA4 = 9 };

enum OrientationConstants : int { vbPRORPortrait = 1, vbPRORLandscape = 2 };

// Where documents go: the default printer, or when a file name is set (tests), a PDF
// file of that name.
void setOutputFileName(const QString& path);
QString outputFileName();

// The printer object: a document is drawn page by page in the scale unit, from the
// top-left corner of the paper, and goes to the printer at EndDoc; KillDoc discards
// it. Paper size and orientation apply from the next page that is begun. A document
// begins with the first drawing; drawing after NewPage begins the next page.
class Printer {
  public:
    Printer();
    ~Printer();  // a document that was not ended is discarded
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    int ScaleMode() const { return scaleMode_; }
    // False for a unit this printer does not know (the mode stays).
    bool SetScaleMode(int mode);
    // Only A4 paper is known; false for any other size.
    bool SetPaperSize(int size);
    // False for anything but portrait and landscape.
    bool SetOrientation(int orientation);

    // The installed face that stands in for the name (see forms::resolveFontFamily).
    void SetFontName(const QString& name);
    void SetFontSize(double points);

    double CurrentX() const;
    void SetCurrentX(double x);
    double CurrentY() const;
    void SetCurrentY(double y);

    // Text with its top-left corner at (CurrentX, CurrentY). Afterwards CurrentX is 0
    // and CurrentY one line lower, or with stayOnLine CurrentX is after the text.
    void Print(const QString& text, bool stayOnLine = false);
    // A line from (x1, y1) to (x2, y2); CurrentX and CurrentY move to (x2, y2).
    void Line(double x1, double y1, double x2, double y2);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    void NewPage();
    // Sends the document to the default printer as a job named after the program's
    // title (or into the file); false when that failed, also when there is no default
    // printer or it refused the job. The document is gone afterwards either way.
    bool EndDoc();
    void KillDoc();

  private:
    struct Text {
        double x, y;  // millimetres
        QString text;
        QFont font;
    };
    struct Rule {
        double x1, y1, x2, y2;
    };
    struct Page {
        int orientation;
        std::vector<Text> texts;
        std::vector<Rule> rules;
    };

    double millimetres(double units) const;
    double units(double millimetres) const;
    Page& page();
    // The pages as a PDF file.
    static bool writePdf(const std::vector<Page>& pages, const QString& path);

    // The device whose metrics texts are measured by: a PDF writer like the one that
    // draws the pages, which asks no print server anything.
    std::unique_ptr<QBuffer> measureBuffer_;
    std::unique_ptr<QPdfWriter> measure_;
    int scaleMode_ = vbTwips;
    int orientation_ = vbPRORPortrait;
    QFont font_;
    double x_ = 0;  // millimetres
    double y_ = 0;
    std::vector<Page> pages_;
    bool pageOpen_ = false;
};

}  // namespace printer
