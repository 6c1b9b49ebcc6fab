#pragma once

#include <QtGlobal>

// For its lifetime, the checks of files from outside run within the given time limit;
// afterwards within the one that grows with each file's size again. A limit of 0 stops the
// check of any real file.
class CheckTimeLimit {
  public:
    explicit CheckTimeLimit(qint64 milliseconds);
    ~CheckTimeLimit();
    CheckTimeLimit(const CheckTimeLimit&) = delete;
    CheckTimeLimit& operator=(const CheckTimeLimit&) = delete;
};
