#include "WorkFolder.h"

#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>

namespace printer {

namespace {

// "morvik-print-" process number "-" random letters, in the system's temporary folder.
const QString prefix = QStringLiteral("morvik-print-");

QString folderTemplate() {
    return QDir::temp().filePath(prefix + QString::number(::getpid()) + "-XXXXXX");
}

bool processRuns(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
}

}  // namespace

WorkFolder::WorkFolder() : folder_(folderTemplate()) {}

void WorkFolder::removeAbandoned() {
    const QDir temp = QDir::temp();
    for (const QString& name : temp.entryList({prefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = name.mid(prefix.size()).section('-', 0, 0).toLongLong(&number);
        if (number && !processRuns(pid)) {
            QDir(temp.filePath(name)).removeRecursively();
        }
    }
}

}  // namespace printer
