#include "HelpWindow.h"

#include <QUrl>

HelpWindow::HelpWindow(const QString& filePath, const QString& title) : QTextBrowser(nullptr) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(title);
    setOpenExternalLinks(true);
    setSource(QUrl::fromLocalFile(filePath));
}
