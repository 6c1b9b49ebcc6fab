#include "OutputFolders.h"

#include <QDir>
#include <QFile>

#include "output/LayoutBooks.h"
#include "platform/excel/PrintDestination.h"
#include "platform/printer/Printer.h"

OutputFolders::OutputFolders() {
    QDir(root_.path()).mkpath("layouts");
    QDir(root_.path()).mkpath("saved");
    for (const char* name : LayoutBooks::All) {
        QFile::copy(QStringLiteral(MORVIK_BUILD_STAGE_DIR "/") + name, layouts() + "/" + name);
    }
}

OutputFolders::~OutputFolders() {
    excel::setPrintDestination({});
    printer::setOutputFileName(QString());
}

QByteArray OutputFolders::bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
