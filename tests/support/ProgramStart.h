#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The three programs as they are built, started headless on a data home of the test's own.
namespace ProgramStart {

struct Program {
    QString path;
    QStringList arguments;
};

// morvik2, then the setup and the migration wizards, each as an installation starts it.
const std::vector<Program>& Programs();

// Starts the program with `home` as its data home and kills it once `settled` is true or
// the time is up; false when it could not be started.
bool RunUntil(const Program& program, const QString& home, const std::function<bool()>& settled);

}  // namespace ProgramStart
