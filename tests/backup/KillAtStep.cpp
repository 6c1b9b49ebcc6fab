#include "KillAtStep.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "platform/shell/DurableFiles.h"

namespace {

// The child's count of disk steps and the one at which it kills itself.
int stepsTaken = 0;
int stepToDie = 0;

void dieAtStep(const char*, const QString&) {
    if (++stepsTaken == stepToDie) {
        ::kill(::getpid(), SIGKILL);
    }
}

}  // namespace

ChildEnd runKilledAt(int step, const std::function<bool()>& operation) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        stepToDie = step;
        shell::setDiskStepHook(dieAtStep);
        ::_exit(operation() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
        return ChildEnd::Killed;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildEnd::Succeeded : ChildEnd::Failed;
}
