#include <gtest/gtest.h>

#include "core/SqlValueText.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/VariantArray.h"

namespace {

TEST(SqlValueTextTest, ValuesAsStatementText) {
    const struct {
        vb::Variant value;
        QString expected;
    } cases[] = {
        {"001", "'001'"},
        {"O'Neil's", "'O''Neil''s'"},
        {"''", "''''''"},
        {"", "''"},
        {"'; DELETE FROM basic_tbl; --", "'''; DELETE FROM basic_tbl; --'"},
        {vb::Date::fromYmd(2024, 9, 1), "#2024/9/1#"},
        {vb::Date::fromYmd(2023, 12, 31), "#2023/12/31#"},
        {vb::Currency::fromRaw(12345678912), "1234567.8912"},
        {vb::Currency::fromRaw(1), "0.0001"},
        {vb::Currency::fromRaw(-50000), "-5"},
        {int16_t{-3}, "-3"},
        {int32_t{2000000000}, "2000000000"},
        {uint8_t{7}, "7"},
        {0.25, "0.25"},
        {1e21, "1000000000000000000000"},
        {true, "-1"},
        {false, "0"},
        {vb::Variant(), "Null"},
        {vb::Null, "Null"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SqlValueText::Value(c.value), c.expected) << c.expected.toStdString();
    }
    EXPECT_EQ(SqlValueText::Number(42), "42");
    EXPECT_EQ(SqlValueText::Number(1234567.8912), "1234567.8912");
    EXPECT_THROW(SqlValueText::Value(vb::VariantArray(1, 1)), vb::RuntimeError);
}

}  // namespace
