#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder with a copy of the built layout workbooks in "layouts" and an
// empty "saved" folder; print destinations are reset when it goes.
class OutputFolders {
  public:
    OutputFolders();
    ~OutputFolders();

    QString layouts() const { return root_.filePath("layouts"); }
    QString saved() const { return root_.filePath("saved"); }
    QString path(const QString& name) const { return root_.filePath(name); }

    static QByteArray bytes(const QString& path);

  private:
    QTemporaryDir root_;
};
