#include "DataFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <map>
#include <utility>

namespace {

struct Holding {
    int fd = -1;
    int count = 0;
};

// The folders this process holds, by device and inode.
std::map<std::pair<unsigned long long, unsigned long long>, Holding>& holdings() {
    static std::map<std::pair<unsigned long long, unsigned long long>, Holding> held;
    return held;
}

bool lockWithin(int fd, int waitMs) {
    constexpr int kPollMs = 20;
    for (int waited = 0;; waited += kPollMs) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK || waited >= waitMs) {
            return false;
        }
        ::usleep(kPollMs * 1000);
    }
}

}  // namespace

DataFolderLock::DataFolderLock(const QString& folder, int waitMs) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        ::close(fd);
        return;
    }
    device_ = status.st_dev;
    inode_ = status.st_ino;
    Holding& holding = holdings()[{device_, inode_}];
    if (holding.count > 0) {
        ::close(fd);
    } else if (lockWithin(fd, waitMs)) {
        holding.fd = fd;
    } else {
        ::close(fd);
        holdings().erase({device_, inode_});
        return;
    }
    ++holding.count;
    held_ = true;
}

DataFolderLock::~DataFolderLock() {
    if (!held_) {
        return;
    }
    const auto it = holdings().find({device_, inode_});
    if (--it->second.count == 0) {
        ::close(it->second.fd);
        holdings().erase(it);
    }
}
