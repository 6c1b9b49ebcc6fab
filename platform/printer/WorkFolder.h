#pragma once

#include <QString>
#include <QTemporaryDir>

namespace printer {

// A temporary folder for the files of one print, removed with everything in it when the
// object goes. Its name carries the number of the process that made it, so that what a
// print of a killed program left behind is known and removed at the next start.
class WorkFolder {
  public:
    WorkFolder();

    bool isValid() const { return folder_.isValid(); }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    // Removes the work folders of processes that no longer run.
    static void removeAbandoned();

  private:
    QTemporaryDir folder_;
};

}  // namespace printer
