#include "RunGuard.h"

#include <unistd.h>

namespace excel::office {

RunGuard::RunGuard() {
    guard_.setChildProcessModifier([] { ::setpgid(0, 0); });
    guard_.setStandardOutputFile(QProcess::nullDevice());
    guard_.setStandardErrorFile(QProcess::nullDevice());
    guard_.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("cat >/dev/null; kill -KILL 0")});
    if (guard_.waitForStarted()) {
        group_ = static_cast<pid_t>(guard_.processId());
    }
}

RunGuard::~RunGuard() {
    if (group_ != 0) {
        guard_.closeWriteChannel();
        guard_.waitForFinished();
    }
}

}  // namespace excel::office
