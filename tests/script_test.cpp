// The script's numbers: reals for token values, whole numbers for ids,
// counts and points.
#include "host/script.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

TEST(ScriptNumbers, ReadsDecimalRealsAndTheNamesOfTheSpecialValues) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12.5", 12.5}, {"-3", -3},    {"+2", 2},      {"1e3", 1000},    {"1E-3", 0.001},
        {".5", 0.5},    {"5.", 5},     {"-0", 0},      {"1e308", 1e308}, {"1e-310", 1e-310},  // subnormal
        {"inf", inf},   {"+inf", inf}, {"-inf", -inf},
    };
    for (const Case& c : cases) {
        try {
            EXPECT_EQ(host::parse_real(c.text), c.value) << c.text;
        } catch (const host::ScriptError& error) {
            ADD_FAILURE() << c.text << " refused: " << error.what();
        }
    }
    EXPECT_TRUE(std::isnan(host::parse_real("nan")));
}

TEST(ScriptNumbers, RefusesEverythingElseAsAReal) {
    for (const char* text : {"12x", "0x10", "1e", "", ".", "-", "e5", "1,5", "1..2", "--1", "1e3e3", "1e309", "-1e309",
                             "infinity", "NaN", "0x1p3"})
        EXPECT_THROW(host::parse_real(text), host::ScriptError) << "'" << text << "'";
}

TEST(ScriptNumbers, ReadsDecimalWholeNumbersWithin32Bits) {
    struct Case {
        const char* text;
        int32_t value;
    };
    for (const Case& c : {Case{"0", 0}, Case{"-5", -5}, Case{"+7", 7}, Case{"2147483647", 2147483647},
                          Case{"-2147483648", std::numeric_limits<int32_t>::min()}})
        EXPECT_EQ(host::parse_integer(c.text), c.value) << c.text;
    for (const char* text : {"2147483648", "-2147483649", "1.5", "0x10", "12x", "", "1e3", "nan"})
        EXPECT_THROW(host::parse_integer(text), host::ScriptError) << "'" << text << "'";
}

}  // namespace
