#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <ostream>

// A data folder with a copy of the shipped database and the layout workbooks that the
// shipped backup.ini lists, set as the settings record's database; message boxes and
// dialogs answered by the test hook; the clock fixed at 2024/03/05 09:15:02.
class BackupFixture : public ::testing::Test {
  protected:
    static const QString kPassword;
    static const QStringList kWorkbooks;

    void SetUp() override;
    void TearDown() override;

    QString dataFolder() const { return path("data"); }
    // The data folder made anew: the shipped database and the layout workbooks.
    void makeDataFolder() const;
    QString databasePath() const { return dataFolder() + "/morvik2.mde"; }
    // A path in the test's own temporary folder.
    QString path(const QString& relative) const { return dir_.path() + "/" + relative; }

    // Every file below a folder (hidden ones and links included) with its bytes, by
    // path relative to the folder; folders appear with a trailing "/", files above 64 MiB
    // by their size.
    static std::map<QString, QByteArray> snapshot(const QString& folder);
    static void write(const QString& path, const QByteArray& bytes);
    static QByteArray read(const QString& path);
    // A copy of the shipped database at path, changed by the statements.
    static void makeDatabase(const QString& path, const QStringList& statements = {},
                             const QString& password = kPassword);
    // The shipped database's bytes with a product class added, so that it differs.
    static void makeChangedDatabase(const QString& path);

    // The texts of the message boxes shown so far.
    static QStringList boxTexts();

    // False (with the test skipped) when the file system cannot make the path unwritable
    // for this process: by permissions, or for root by the immutable flag.
    static bool makeUnwritable(const QString& path);
    static void makeWritable(const QString& path);

  private:
    QTemporaryDir dir_;
};

// Writes larger than the limit fail (as on a full disk) while the object lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
};

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
