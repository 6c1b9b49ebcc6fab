#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/CommonClass.h"

namespace {

TEST(CommonClassTest, MidPathAndPutPath) {
    const CommonClass common;
    const struct {
        QString path, mid, put;
    } cases[] = {
        {"", "", "/"},
        {"/", "", "/"},
        {"/home/shop", "/home/shop", "/home/shop/"},
        {"/home/shop/", "/home/shop", "/home/shop/"},
        {"/home/shop//", "/home/shop/", "/home/shop//"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(common.MidPath(c.path), c.mid) << c.path.toStdString();
        EXPECT_EQ(common.PutPath(c.path), c.put) << c.path.toStdString();
    }
}

TEST(CommonClassTest, SearchDirectory) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString dir = temp.path();
    QFile file(dir + "/data.mde");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QDir(dir).mkdir("sub"));

    const CommonClass common;
    const struct {
        int16_t type;
        QString path, name;
        uint8_t make;
        QString expected;
    } cases[] = {
        {0, dir, "data.mde", 0, dir + "/data.mde"},
        {0, dir, "missing.mde", 0, ""},
        {0, dir, "sub", 0, ""},  // a folder is not a file
        {0, dir + "/data.mde", "", 0, dir + "/data.mde/"},
        {0, dir, "", 0, ""},
        {4, dir, "data.mde", 0, dir + "/data.mde"},
        {4, dir + "/data.mde", "", 0, ""},
        {16, dir + "/sub", "", 0, dir + "/sub"},
        {16, dir + "/data.mde", "", 0, ""},
        {16, dir + "/absent", "", 0, ""},
        {16, dir + "/kept", "", 2, dir + "/kept"},
        {16, dir + "/made", "", 1, dir + "/made"},
        {16, dir + "/no/parent", "", 1, ""},
        {8, dir, "data.mde", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(common.SearchDirectory(c.type, c.path, c.name, c.make), c.expected)
            << c.type << " " << c.path.toStdString() << " " << c.name.toStdString();
    }
    EXPECT_TRUE(QDir(dir + "/made").exists());
    EXPECT_FALSE(QDir(dir + "/absent").exists());
    EXPECT_FALSE(QDir(dir + "/kept").exists());
    EXPECT_FALSE(QDir(dir + "/no").exists());
}

}  // namespace
