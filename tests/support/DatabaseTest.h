#pragma once

#include <gtest/gtest.h>

#include "TestDatabase.h"

// Test fixture with a fresh copy of the shipped database for every test.
class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(database.isValid()) << database.error().toStdString(); }

    TestDatabase database;
};
