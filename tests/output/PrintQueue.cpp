#include "PrintQueue.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

void PrintQueue::use() {
    qputenv("CUPS_SERVER", MORVIK_PRINT_QUEUE_DIR "/cups.sock");
}

PrintQueue::PrintQueue() {
    QFile::remove(printedFile());
}

QString PrintQueue::printedFile() {
    return QStringLiteral(MORVIK_PRINT_QUEUE_DIR "/pdf/printed.pdf");
}

bool PrintQueue::jobsPending() {
    QProcess lpstat;
    lpstat.start("lpstat", {"-o"});
    return !lpstat.waitForFinished(10000) || lpstat.exitCode() != 0 ||
           !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

QString PrintQueue::waitForPdf(int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!jobsPending() && QFile::exists(printedFile())) {
            return printedFile();
        }
        QThread::msleep(200);
    }
    return QString();
}
