#include <gtest/gtest.h>

#include <stdexcept>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/Utf8Path.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace {

using packwell::test::SetEnv;

TEST(RandomDigits, GivesCountDigitsAndFreshValues) {
    for (int n : {0, 1, 20, 255}) {
        const std::string digits = AllInOne::RandomDigits(static_cast<std::uint8_t>(n));
        EXPECT_EQ(digits.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << digits;
    }
    // Two calls within one clock tick must not name the same file.
    EXPECT_NE(AllInOne::RandomDigits(20), AllInOne::RandomDigits(20));
}

class ExpandEnvText : public testing::Test {
protected:
    void SetUp() override {
        SetEnv("PWTEST_ALPHA", "alpha");
        SetEnv("PWTEST_NONE", std::nullopt);
    }
    void TearDown() override { SetEnv("PWTEST_ALPHA", std::nullopt); }
};

TEST_F(ExpandEnvText, ReplacesKnownReferencesAndKeepsTheRest) {
    const std::pair<const char*, const char*> cases[] = {
        {"%PWTEST_ALPHA%", "alpha"},
        {"%pwtest_alpha%", "alpha"},  // names are case-blind, as "%appdata%" relies on
        {"x%PWTEST_ALPHA%y%PWTEST_ALPHA%", "xalphayalpha"},
        {"%PWTEST_NONE%\\.minecraft", "%PWTEST_NONE%\\.minecraft"},
        {"50%", "50%"},
        {"%%", "%%"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(AllInOne::ExpandEnvText(text), expected) << text;
}

TEST_F(ExpandEnvText, ExpandsAppData) {
    packwell::test::TempDir dir;
    EXPECT_EQ(AllInOne::ExpandEnvText("%appdata%"), packwell::Utf8FromPath(dir.appData()));
}

// 255 characters fit; one more is refused, not cut into another folder's name.
TEST_F(ExpandEnvText, RefusesResultBeyond255Characters) {
    SetEnv("PWTEST_ALPHA", std::string(250, 'a'));
    EXPECT_EQ(AllInOne::ExpandEnvText("%PWTEST_ALPHA%12345").size(), 255u);
    EXPECT_THROW(AllInOne::ExpandEnvText("%PWTEST_ALPHA%123456"), std::length_error);
    // Characters, not bytes: 255 Cyrillic letters take 510 bytes and still fit.
    std::string cyrillic;
    for (int i = 0; i < 255; ++i) cyrillic += "ж";
    SetEnv("PWTEST_ALPHA", cyrillic);
    EXPECT_EQ(AllInOne::ExpandEnvText("%PWTEST_ALPHA%"), cyrillic);
    EXPECT_THROW(AllInOne::ExpandEnvText("%PWTEST_ALPHA%ж"), std::length_error);
}

}  // namespace
