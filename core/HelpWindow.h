#pragma once

#include <QString>
#include <QTextBrowser>

// The program's help viewer: a top-level window of its own showing an HTML guide from
// the program folder, in place of the system help viewer that a help file would open.
// It is no form of the program: it neither keeps the program running nor ends it, and
// it is deleted when closed.
class HelpWindow : public QTextBrowser {
  public:
    HelpWindow(const QString& filePath, const QString& title);
};
