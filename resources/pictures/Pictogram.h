#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// The small drawings on the menu buttons, drawn in a square on a 100 by 100 grid: the
// shape in ink, its cut-outs in paper.
class Pictogram {
  public:
    enum Kind {
        Ledger,          // purchases and sales
        BarChart,        // profit table
        Boxes,           // inventory
        CalendarArrow,   // month-end carry-over
        Gear,            // maintenance
        RisingChart,     // management support
        Help,            // help
        Power,           // end
        Folder,          // product classes
        List,            // product list
        CalendarPencil,  // monthly data maintenance
        Database,        // backup and restore
        Trash,           // deletion of old data
        BackArrow,       // back to the main menu
        Podium,          // rankings
        LowStock,        // low-stock list
        CalendarPage,    // the month picker's heading
    };

    static void Draw(QPainter& painter, Kind kind, const QRectF& square, const QColor& ink,
                     const QColor& paper);

  private:
    static void drawLedger(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawBarChart(QPainter& p, const QColor& ink);
    static void drawBoxes(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawCalendar(QPainter& p, const QRectF& body, const QColor& ink,
                             const QColor& paper);
    static void drawCalendarArrow(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawGear(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawRisingChart(QPainter& p, const QColor& ink);
    static void drawHelp(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawPower(QPainter& p, const QColor& ink);
    static void drawFolder(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawList(QPainter& p, const QColor& ink);
    static void drawCalendarPencil(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawDatabase(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawTrash(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawBackArrow(QPainter& p, const QColor& ink);
    static void drawPodium(QPainter& p, const QColor& ink, const QColor& paper);
    static void drawLowStock(QPainter& p, const QColor& ink, const QColor& paper);
};
