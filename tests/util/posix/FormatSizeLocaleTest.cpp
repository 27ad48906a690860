#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace {

TEST(FormatSize, UsesLocaleSeparator) {
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
    EXPECT_EQ(AllInOne::FormatSize(-1, 1536), "1.5 Кб");
    const bool russian = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    const std::string withComma = russian ? AllInOne::FormatSize(-1, 1536) : "";
    std::setlocale(LC_NUMERIC, old.c_str());
    if (!russian) GTEST_SKIP() << "ru_RU.UTF-8 locale not installed";
    EXPECT_EQ(withComma, "1,5 Кб");
}

}  // namespace
