#include "OfficeProgram.h"

#include <signal.h>
#include <unistd.h>
#include <pugixml.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <string>

#include "RunGuard.h"
#include "platform/forms/Fonts.h"
#include "platform/printer/WorkFolder.h"

namespace excel::office {

namespace {

QString& program() {
    static QString name = QStringLiteral("soffice");
    return name;
}

// A conversion or print of a small workbook takes seconds; a hung program is stopped.
constexpr int defaultRunTimeoutMs = 120000;

int& runTimeoutMs() {
    static int milliseconds = defaultRunTimeoutMs;
    return milliseconds;
}

// The fonts of the workbooks that the machine does not have: the program draws them
// in the Japanese Gothic that the system's own screens and printing use, digits too.
const QStringList& substitutedFonts() {
    static const QStringList names{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS UI Gothic")};
    return names;
}

void addProperty(pugi::xml_node node, const char* name, const char* value) {
    pugi::xml_node property = node.append_child("prop");
    property.append_attribute("oor:name").set_value(name);
    property.append_attribute("oor:op").set_value("fuse");
    property.append_child("value").text().set(value);
}

// The settings of a new profile: formulas calculated anew on loading a workbook (their
// stored results may be stale), and the font replacement table.
bool writeProfileSettings(const QString& profile) {
    pugi::xml_document document;
    pugi::xml_node items = document.append_child("oor:items");
    items.append_attribute("xmlns:oor").set_value("http://openoffice.org/2001/registry");
    items.append_attribute("xmlns:xs").set_value("http://www.w3.org/2001/XMLSchema");
    items.append_attribute("xmlns:xsi").set_value("http://www.w3.org/2001/XMLSchema-instance");
    pugi::xml_node load = items.append_child("item");
    load.append_attribute("oor:path").set_value("/org.openoffice.Office.Calc/Formula/Load");
    addProperty(load, "OOXMLRecalcMode", "0");
    pugi::xml_node table = items.append_child("item");
    table.append_attribute("oor:path").set_value("/org.openoffice.Office.Common/Font/Substitution");
    addProperty(table, "Replacement", "true");
    for (qsizetype i = 0; i < substitutedFonts().size(); ++i) {
        const QString& name = substitutedFonts()[i];
        pugi::xml_node pairs = items.append_child("item");
        pairs.append_attribute("oor:path")
            .set_value("/org.openoffice.Office.Common/Font/Substitution/FontPairs");
        pugi::xml_node pair = pairs.append_child("node");
        pair.append_attribute("oor:name").set_value(("_" + std::to_string(i)).c_str());
        pair.append_attribute("oor:op").set_value("replace");
        addProperty(pair, "Always", "true");
        addProperty(pair, "OnScreenOnly", "false");
        addProperty(pair, "ReplaceFont", name.toUtf8().constData());
        addProperty(pair, "SubstituteFont", forms::resolveFontFamily(name).toUtf8().constData());
    }
    const QString folder = profile + "/user";
    return QDir().mkpath(folder) &&
           document.save_file(QFile::encodeName(folder + "/registrymodifications.xcu").constData(),
                              "", pugi::format_raw, pugi::encoding_utf8);
}

bool runHeadless(const QStringList& arguments) {
    const QString path = programPath();
    const printer::WorkFolder profile;
    if (path.isEmpty() || !profile.isValid() || !writeProfileSettings(profile.path())) {
        return false;
    }
    // The run joins the guard's group: the program starts its office process as a
    // child, and a hung run is stopped with everything it started before its profile
    // goes; the guard stops it too when this program ends first.
    const RunGuard guard;
    const pid_t group = guard.group();
    if (group == 0) {
        return false;
    }
    QProcess process;
    process.setChildProcessModifier([group] {
        if (::setpgid(0, group) != 0) {
            ::_exit(127);
        }
    });
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(
        path, QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                          "--headless", "--invisible", "--norestore", "--nologo", "--nolockcheck"} +
                  arguments);
    if (!process.waitForStarted()) {
        return false;
    }
    if (!process.waitForFinished(runTimeoutMs())) {
        ::kill(-group, SIGKILL);
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

void setProgram(const QString& name) {
    program() = name;
}

void setRunTimeout(int milliseconds) {
    runTimeoutMs() = milliseconds > 0 ? milliseconds : defaultRunTimeoutMs;
}

QString programPath() {
    const QFileInfo info(program());
    if (program().contains('/')) {
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program());
}

bool convertToPdf(const QString& workbookPath, const QString& pdfPath) {
    const printer::WorkFolder output;
    if (!output.isValid() ||
        !runHeadless({"--convert-to", "pdf", "--outdir", output.path(), workbookPath})) {
        return false;
    }
    const QString made = output.filePath(QFileInfo(workbookPath).completeBaseName() + ".pdf");
    QFile::remove(pdfPath);
    return QFileInfo(made).isFile() && QFile::copy(made, pdfPath);
}

bool openVisible(const QString& workbookPath) {
    const QString path = programPath();
    return !path.isEmpty() &&
           QProcess::startDetached(path, {"--calc", "--norestore", workbookPath});
}

}  // namespace excel::office
