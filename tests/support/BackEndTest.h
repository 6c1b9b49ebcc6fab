#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "TestDatabase.h"
#include "TestServerDatabase.h"

class AccessADOClass;

// The wrapper's two back ends: the keyed file and a database on the PostgreSQL server.
enum class BackEnd { File, Server };
void PrintTo(BackEnd backEnd, std::ostream* out);

// Test fixture run once per back end, with a fresh database of the shipped schema on it:
//   INSTANTIATE_TEST_SUITE_P(, MyTest, BothBackEnds, BackEndName);
class BackEndTest : public ::testing::TestWithParam<BackEnd> {
  protected:
    void SetUp() override;

    // Sets the wrapper to the database of this run.
    void configure(AccessADOClass& access) const;
    // Rows of the table (matching the WHERE condition, when one is given), or the
    // wrapper's negative result code.
    int32_t count(const QString& table, const QString& where = QString()) const;

    std::optional<TestDatabase> file;
    std::optional<TestServerDatabase> server;
};

inline const auto BothBackEnds = ::testing::Values(BackEnd::File, BackEnd::Server);
std::string BackEndName(const ::testing::TestParamInfo<BackEnd>& info);
