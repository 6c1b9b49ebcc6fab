#include "BackEndTest.h"

#include "core/AccessADOClass.h"

void BackEndTest::SetUp() {
    if (GetParam() == BackEnd::File) {
        file.emplace();
        ASSERT_TRUE(file->isValid()) << file->error().toStdString();
    } else {
        server.emplace();
        ASSERT_TRUE(server->isValid()) << server->error().toStdString();
    }
}

void BackEndTest::configure(AccessADOClass& access) const {
    if (file) {
        file->configure(access);
    } else {
        server->configure(access);
    }
}

int32_t BackEndTest::count(const QString& table, const QString& where) const {
    AccessADOClass access;
    configure(access);
    return countRows(access, table, where);
}

void PrintTo(BackEnd backEnd, std::ostream* out) {
    *out << (backEnd == BackEnd::File ? "File" : "Server");
}

std::string BackEndName(const ::testing::TestParamInfo<BackEnd>& info) {
    return ::testing::PrintToString(info.param);
}
