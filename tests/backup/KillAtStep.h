#pragma once

#include <functional>

// Stops an operation on the disk part way, as a crash or a kill -9 would.
enum class ChildEnd { Killed, Succeeded, Failed };

// Runs the operation in a child process that kills itself at its step-th disk step (the
// steps the shell layer's disk step hook reports); step 0 runs it to its end.
ChildEnd runKilledAt(int step, const std::function<bool()>& operation);
