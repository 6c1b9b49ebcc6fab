#include "BackupFixture.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "core/MainModule.h"
#include "platform/forms/TestHook.h"
#include "platform/jet/Connection.h"
#include "platform/runtime/Clock.h"
#include "tests/support/TestDatabase.h"

const QString BackupFixture::kPassword = QStringLiteral("KORUMA4VXTB");
const QStringList BackupFixture::kWorkbooks = {"syouhin.xlsx",     "bunrui.xlsx", "Nyuryoku.xlsx",
                                               "Maintenance.xlsx", "zaiko.xlsx",  "zaikolist.xlsx",
                                               "uriage.xlsx"};

namespace {

// Sparse test files stand for more than memory holds: they are compared by size.
constexpr qint64 kLargeFile = qint64{64} << 20;

QString connectionText(const QString& path, const QString& password) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
           ";Jet OLEDB:Database Password=" + password + ";";
}

// The immutable flag, which also holds for root; false when the file system has none.
bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

}  // namespace

void BackupFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    forms::TestHook::enable();
    vb::setClock(vb::Date::fromYmdHms(2024, 3, 5, 9, 15, 2));
    ASSERT_TRUE(QDir().mkpath(path("tmp")));
    qputenv("TMPDIR", path("tmp").toUtf8());
    makeDataFolder();
    MainModule::DBFolder = dataFolder();
    MainModule::LayoutFolder = dataFolder();
    MainModule::DBFileName = QStringLiteral("morvik2.mde");
    MainModule::DBPassword = kPassword;
}

void BackupFixture::makeDataFolder() const {
    QDir(dataFolder()).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(dataFolder()));
    makeDatabase(databasePath());
    for (const QString& book : kWorkbooks) {
        write(dataFolder() + "/" + book, "layout " + book.toUtf8());
    }
}

void BackupFixture::TearDown() {
    forms::TestHook::disable();
    vb::setClock(std::nullopt);
    qunsetenv("TMPDIR");
    MainModule::DBFolder.clear();
    MainModule::LayoutFolder.clear();
}

std::map<QString, QByteArray> BackupFixture::snapshot(const QString& folder) {
    std::map<QString, QByteArray> files;
    const QDir base(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = base.relativeFilePath(info.filePath());
        if (info.isSymLink()) {
            files[relative] = "-> " + QFile::encodeName(info.symLinkTarget());
        } else if (info.isDir()) {
            files[relative + "/"] = QByteArray();
        } else if (info.size() > kLargeFile) {
            files[relative] = "size " + QByteArray::number(info.size());
        } else {
            files[relative] = read(info.filePath());
        }
    }
    return files;
}

void BackupFixture::write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray BackupFixture::read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BackupFixture::makeDatabase(const QString& path, const QStringList& statements,
                                 const QString& password) {
    QDir().mkpath(QFileInfo(path).path());
    QFile::remove(path);
    if (password == kPassword) {
        ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    } else {
        QFile schema(QStringLiteral(MORVIK_SCHEMA_FILE));
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        ASSERT_FALSE(jet::createDatabase(path, password, QString::fromUtf8(schema.readAll())));
    }
    jet::Connection connection;
    ASSERT_FALSE(connection.open(connectionText(path, password)));
    for (const QString& sql : statements) {
        const jet::Error error = connection.execute(sql);
        ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
    }
}

void BackupFixture::makeChangedDatabase(const QString& path) {
    makeDatabase(path, {"INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) "
                        "VALUES ('001', '文具')",
                        "UPDATE basic_tbl SET Trade_figure = 2"});
}

QStringList BackupFixture::boxTexts() {
    QStringList texts;
    for (const forms::TestHook::MsgBoxShown& box : forms::TestHook::msgBoxes()) {
        texts << box.text;
    }
    return texts;
}

bool BackupFixture::makeUnwritable(const QString& path) {
    if (geteuid() == 0) {
        return setImmutable(path, true);
    }
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
}

void BackupFixture::makeWritable(const QString& path) {
    if (geteuid() == 0) {
        setImmutable(path, false);
    } else {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    const rlimit limit{bytes, previous_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
}
