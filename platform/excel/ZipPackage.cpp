#include "ZipPackage.h"

#include <zip.h>

#include <QFile>
#include <algorithm>
#include <memory>

namespace excel {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFreer>;

std::optional<QByteArray> readEntry(zip_t* archive, zip_uint64_t index, zip_uint64_t size) {
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (file == nullptr) {
        return std::nullopt;
    }
    QByteArray data(static_cast<qsizetype>(size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, data.data(), size);
    zip_fclose(file);
    if (read < 0 || static_cast<zip_uint64_t>(read) != size) {
        return std::nullopt;
    }
    return data;
}

// Reads what the source holds after the archive was written into it.
std::optional<QByteArray> sourceBytes(zip_source_t* source) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        zip_source_open(source) != 0) {
        return std::nullopt;
    }
    QByteArray data(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(source, data.data(), stat.size);
    zip_source_close(source);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
        return std::nullopt;
    }
    return data;
}

}  // namespace

std::optional<ZipPackage> ZipPackage::read(const QString& path) {
    int error = 0;
    Archive archive(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error));
    if (!archive) {
        return std::nullopt;
    }
    ZipPackage package;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0) {
            return std::nullopt;
        }
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith('/')) {
            continue;
        }
        std::optional<QByteArray> data = readEntry(archive.get(), i, stat.size);
        if (!data) {
            return std::nullopt;
        }
        package.parts_.push_back(Part{name, *data});
    }
    return package;
}

bool ZipPackage::contains(const QString& name) const {
    return std::any_of(parts_.begin(), parts_.end(),
                       [&](const Part& part) { return part.name == name; });
}

QByteArray ZipPackage::part(const QString& name) const {
    for (const Part& part : parts_) {
        if (part.name == name) {
            return part.data;
        }
    }
    return QByteArray();
}

void ZipPackage::setPart(const QString& name, const QByteArray& data) {
    for (Part& part : parts_) {
        if (part.name == name) {
            part.data = data;
            return;
        }
    }
    parts_.push_back(Part{name, data});
}

void ZipPackage::removePart(const QString& name) {
    std::erase_if(parts_, [&](const Part& part) { return part.name == name; });
}

std::optional<QByteArray> ZipPackage::archive() const {
    zip_error_t error;
    zip_error_init(&error);
    Source source(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_error_fini(&error);
    if (!source) {
        return std::nullopt;
    }
    zip_t* archive = zip_open_from_source(source.get(), ZIP_TRUNCATE, nullptr);
    if (archive == nullptr) {
        return std::nullopt;
    }
    // The archive takes a reference; ours keeps the bytes readable after zip_close.
    zip_source_keep(source.get());
    for (const Part& part : parts_) {
        zip_source_t* data = zip_source_buffer(archive, part.data.constData(), part.data.size(), 0);
        const QByteArray name = part.name.toUtf8();
        if (data == nullptr) {
            zip_discard(archive);
            return std::nullopt;
        }
        const zip_int64_t index =
            zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(data);
            zip_discard(archive);
            return std::nullopt;
        }
        zip_set_file_compression(archive, index, ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return std::nullopt;
    }
    return sourceBytes(source.get());
}

}  // namespace excel
