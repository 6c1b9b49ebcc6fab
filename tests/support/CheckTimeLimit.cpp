#include "CheckTimeLimit.h"

#include "platform/jet/FileCheck.h"

CheckTimeLimit::CheckTimeLimit(qint64 milliseconds) {
    jet::setOutsideCheckMilliseconds(milliseconds);
}

CheckTimeLimit::~CheckTimeLimit() {
    jet::setOutsideCheckMilliseconds(-1);
}
