#include "TestDatabase.h"

#include <QFile>

#include "core/AccessADOClass.h"

TestDatabase::TestDatabase() {
    const QString shipped = shippedFilePath();
    if (!dir_.isValid()) {
        error_ = "no temporary folder: " + dir_.errorString();
    } else if (!QFile::copy(shipped, filePath())) {
        error_ = "cannot copy " + shipped;
    } else {
        QFile::setPermissions(filePath(), QFile::ReadOwner | QFile::WriteOwner);
    }
}

QString TestDatabase::folder() const {
    return dir_.path();
}

QString TestDatabase::filePath() const {
    return folder() + "/" + fileName();
}

void TestDatabase::configure(AccessADOClass& access) const {
    access.DBName(fileName());
    access.Password(password());
    access.DBPath(folder());
}

int32_t TestDatabase::count(const QString& table, const QString& where) const {
    AccessADOClass access;
    configure(access);
    return countRows(access, table, where);
}

int32_t countRows(AccessADOClass& access, const QString& table, const QString& where) {
    access.AccessFlag(QStringLiteral("2"));
    access.AddFromVerse(table);
    access.AddWhereVerse(where);
    return access.Execute();
}

QString TestDatabase::stageFolder() {
    return QStringLiteral(MORVIK_BUILD_STAGE_DIR);
}

QString TestDatabase::shippedFilePath() {
    return stageFolder() + "/" + fileName();
}
