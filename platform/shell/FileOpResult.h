#pragma once

#include <QString>

namespace shell {

// Outcome of a copy or delete: ok, or the path at which the operation stopped.
struct FileOpResult {
    bool ok = false;
    QString failedPath;

    explicit operator bool() const { return ok; }
};

}  // namespace shell
