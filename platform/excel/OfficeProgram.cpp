#include "OfficeProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace excel::office {

namespace {

QString& program() {
    static QString name = QStringLiteral("soffice");
    return name;
}

// A conversion or print of a small workbook takes seconds; a hung program is stopped.
constexpr int runTimeoutMs = 120000;

bool runHeadless(const QStringList& arguments) {
    const QString path = programPath();
    QTemporaryDir profile;
    if (path.isEmpty() || !profile.isValid()) {
        return false;
    }
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(
        path, QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                          "--headless", "--invisible", "--norestore", "--nologo", "--nolockcheck"} +
                  arguments);
    if (!process.waitForStarted()) {
        return false;
    }
    if (!process.waitForFinished(runTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

void setProgram(const QString& name) {
    program() = name;
}

QString programPath() {
    const QFileInfo info(program());
    if (program().contains('/')) {
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program());
}

bool convertToPdf(const QString& workbookPath, const QString& pdfPath) {
    QTemporaryDir output;
    if (!output.isValid() ||
        !runHeadless({"--convert-to", "pdf", "--outdir", output.path(), workbookPath})) {
        return false;
    }
    const QString made = output.filePath(QFileInfo(workbookPath).completeBaseName() + ".pdf");
    QFile::remove(pdfPath);
    return QFileInfo(made).isFile() && QFile::copy(made, pdfPath);
}

bool print(const QString& workbookPath, const QString& printerName) {
    return runHeadless({"--pt", printerName, workbookPath});
}

bool openVisible(const QString& workbookPath) {
    const QString path = programPath();
    return !path.isEmpty() &&
           QProcess::startDetached(path, {"--calc", "--norestore", workbookPath});
}

}  // namespace excel::office
