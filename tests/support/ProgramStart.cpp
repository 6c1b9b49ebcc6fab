#include "ProgramStart.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace ProgramStart {

namespace {

constexpr int kTimeoutMs = 20000;

}  // namespace

const std::vector<Program>& Programs() {
    static const std::vector<Program> programs = {
        {MORVIK2_PROGRAM, {}},
        {OSTRAIL_PROGRAM, {"/install"}},
        {QUENNET_PROGRAM, {"/install"}},
    };
    return programs;
}

bool RunUntil(const Program& program, const QString& home, const std::function<bool()>& settled) {
    QTemporaryDir runtime;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", home);
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(program.path, program.arguments);
    if (!process.waitForStarted(kTimeoutMs)) {
        return false;
    }
    const QDeadlineTimer deadline(kTimeoutMs);
    while (!settled() && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    process.kill();
    process.waitForFinished();
    return true;
}

}  // namespace ProgramStart
