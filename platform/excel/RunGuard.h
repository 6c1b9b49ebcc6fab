#pragma once

#include <sys/types.h>
#include <QProcess>

namespace excel::office {

// Keeps a run of the office program from outliving this program. A guard process heads
// a process group of its own that the run joins; it waits on a pipe that only this
// program holds open, and when the pipe ends, because the guard goes or because this
// program ended in whatever way, it stops the whole group, the office process that the
// program starts as its own child included.
class RunGuard {
  public:
    RunGuard();
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    // The group for the run to join; 0 when the guard could not be started.
    pid_t group() const { return group_; }

  private:
    QProcess guard_;
    pid_t group_ = 0;
};

}  // namespace excel::office
