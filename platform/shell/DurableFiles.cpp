#include "DurableFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <filesystem>

#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr int kSuffixLength = 6;
constexpr int kNamesToTry = 100;
constexpr size_t kChunk = 256 * 1024;
// The longest name of a folder entry, in bytes.
constexpr qsizetype kNameMax = 255;

DiskStepHook stepHook = nullptr;

void step(const char* name, const QString& path) {
    if (stepHook != nullptr) {
        stepHook(name, path);
    }
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

bool writeAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, data, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool copyContents(int in, int out) {
    QByteArray buffer(static_cast<qsizetype>(kChunk), Qt::Uninitialized);
    while (true) {
        const ssize_t read = ::read(in, buffer.data(), kChunk);
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        if (!writeAll(out, buffer.constData(), static_cast<size_t>(read))) {
            return false;
        }
    }
}

// Creates path anew, lets fill write into it, flushes and closes it; removes it on failure.
template <typename Fill>
bool writeNew(const QString& path, Fill fill) {
    step("create file", path);
    const QByteArray name = encoded(path);
    const int out =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        return false;
    }
    bool done = fill(out);
    if (done) {
        step("flush file", path);
        done = ::fsync(out) == 0;
    }
    done = ::close(out) == 0 && done;
    if (!done) {
        ::unlink(name.constData());
    }
    return done;
}

}  // namespace

void setDiskStepHook(DiskStepHook hook) {
    stepHook = hook;
}

QString randomSuffix() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < kSuffixLength; ++i) {
        suffix += QChar(kLetters[QRandomGenerator::system()->bounded(int(sizeof kLetters) - 1)]);
    }
    return suffix;
}

QString sideFileName(const QString& target, const QString& tag) {
    const qsizetype slash = target.lastIndexOf('/');
    QString name = target.mid(slash + 1);
    const QString ending = "." + tag + "-" + randomSuffix();
    while (!name.isEmpty() && encoded("." + name + ending).size() > kNameMax) {
        name.chop(name.size() > 1 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    }
    return target.left(slash + 1) + "." + name + ending;
}

bool makeOwnFolder(const QString& path) {
    step("create folder", path);
    return ::mkdir(encoded(path).constData(), 0700) == 0;
}

QString makePrivateFolder(const QString& parent, const QString& prefix) {
    for (int attempt = 0; attempt < kNamesToTry; ++attempt) {
        const QString path = parent + "/" + prefix + randomSuffix();
        if (makeOwnFolder(path)) {
            return path;
        }
        if (errno != EEXIST) {
            return QString();
        }
    }
    return QString();
}

bool copyToNewFile(const QString& from, const QString& to) {
    // Not blocking: a pipe or a device named as the source must not stall the open.
    const int in =
        ::open(encoded(from).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat source {};
    bool done = ::fstat(in, &source) == 0 && S_ISREG(source.st_mode) && !to.isEmpty();
    if (done) {
        done = writeNew(to, [&](int out) {
            const timespec times[2] = {source.st_atim, source.st_mtim};
            return copyContents(in, out) && ::futimens(out, times) == 0;
        });
    }
    ::close(in);
    return done;
}

bool copyIntoFolder(const QStringList& sources, const QStringList& names, const QString& folder) {
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (!copyToNewFile(sources[i], folder + "/" + names.value(i))) {
            return false;
        }
    }
    return syncFolder(folder);
}

QString followLink(const QString& path) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(toPath(path), error))) {
        return path;
    }
    const fs::path target = fs::canonical(toPath(path), error);
    return error ? path : fromPath(target);
}

bool writeNewFile(const QString& path, const QByteArray& bytes) {
    return !path.isEmpty() && writeNew(path, [&](int out) {
        return writeAll(out, bytes.constData(), static_cast<size_t>(bytes.size()));
    });
}

bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes) {
    bytes.clear();
    const int in =
        ::open(encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat status {};
    bool done = ::fstat(in, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= maxBytes;
    if (done) {
        bytes.resize(static_cast<qsizetype>(status.st_size));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t read =
                ::read(in, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (read < 0 && errno == EINTR) {
                continue;
            }
            if (read <= 0) {
                break;
            }
            got += read;
        }
        done = got == bytes.size();
    }
    ::close(in);
    return done;
}

bool moveEntry(const QString& from, const QString& to) {
    step("rename", from);
    return ::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

bool syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

bool removeTree(const QString& path) {
    step("remove", path);
    std::error_code error;
    fs::remove_all(toPath(path), error);
    return !error;
}

}  // namespace shell
