#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

// A temporary folder with helpers to lay out and read back small file trees.
class TempTree {
  public:
    TempTree();

    QString path(const QString& relative = QString()) const;
    void write(const QString& relative, const QByteArray& contents) const;
    QByteArray read(const QString& relative) const;
    // Every file below a folder, as sorted relative paths ("sub/c.ini").
    QStringList files(const QString& relative) const;

    // The sample source folder "src" used by the copy and search tests.
    void writeSampleSource() const;

  private:
    QTemporaryDir dir_;
};

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
