#include "Programs.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "platform/runtime/AppPath.h"

namespace shell {

namespace {

QString existingFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

// A process that has ended but was not yet reaped by its parent counts as ended.
bool isRunning(ProcessId processId) {
    if (kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH) {
        return false;
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(processId));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray line = stat.readAll();
    const qsizetype afterName = line.lastIndexOf(')');
    return afterName < 0 || line.mid(afterName + 2, 1) != "Z";
}

}  // namespace

QString findExecutablePath(const QString& fileName) {
    if (fileName.isEmpty()) {
        return QString();
    }
    if (fileName.contains('/')) {
        return existingFile(fileName);
    }
    QStringList folders{QDir::currentPath(), vb::AppPath()};
    folders += qEnvironmentVariable("PATH").split(':', Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        const QString found = existingFile(folder + "/" + fileName);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return QString();
}

ProcessId startProgram(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) {
    qint64 processId = 0;
    if (program.isEmpty() ||
        !QProcess::startDetached(program, arguments, workingFolder, &processId)) {
        return 0;
    }
    return processId;
}

int runProgram(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        return -1;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool waitForExit(ProcessId processId, int timeoutMs) {
    if (processId <= 0) {
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (isRunning(processId)) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

bool terminateProcess(ProcessId processId) {
    if (processId <= 0 || processId == getpid()) {
        return false;
    }
    const pid_t pid = static_cast<pid_t>(processId);
    if (kill(pid, SIGTERM) != 0) {
        return !isRunning(processId);
    }
    if (waitForExit(processId, 1000)) {
        return true;
    }
    kill(pid, SIGKILL);
    return waitForExit(processId, 1000);
}

}  // namespace shell
