#pragma once

#include <QImage>
#include <QString>
#include <utility>

// The folder the pictures are written into: one sub-folder per resource type, one PNG
// file per id ("MENU/1.png").
class PictureFolder {
  public:
    explicit PictureFolder(QString root) : root_(std::move(root)) {}

    // Writes the picture; false (with a message on standard error) when it cannot be
    // written or does not have the size its resource must have.
    bool Write(const QImage& picture, const QString& type, int id, int width, int height);
    bool Failed() const { return failed_; }

  private:
    QString root_;
    bool failed_ = false;
};
