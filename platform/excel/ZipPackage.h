#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace excel {

// The parts of an Office Open XML file, held in memory in the order of the archive.
class ZipPackage {
  public:
    struct Part {
        QString name;
        QByteArray data;
    };

    // Nothing when the file is missing or not a zip archive.
    static std::optional<ZipPackage> read(const QString& path);

    bool contains(const QString& name) const;
    // The part's bytes; empty for a missing part.
    QByteArray part(const QString& name) const;
    // Replaces the part, or adds it at the end.
    void setPart(const QString& name, const QByteArray& data);
    void removePart(const QString& name);

    // The whole archive, deflated; nothing when the archive cannot be built.
    std::optional<QByteArray> archive() const;

  private:
    std::vector<Part> parts_;
};

}  // namespace excel
