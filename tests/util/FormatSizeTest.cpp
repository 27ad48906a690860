#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace {

struct SizeCase {
    int digit;
    double size;
    char separator;
    const char* expected;
};

constexpr double KiB = 1024.0;
constexpr double MiB = KiB * KiB;
constexpr double GiB = MiB * KiB;
const double YiB = std::pow(1024.0, 8);

class FormatSizeTable : public testing::TestWithParam<SizeCase> {};

TEST_P(FormatSizeTable, GivesNumberAndUnit) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(AllInOne::FormatSize(static_cast<std::int8_t>(c.digit), c.size, c.separator), c.expected)
        << "digit " << c.digit << " size " << c.size;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatSizeTable,
    testing::Values(SizeCase{-1, 0, ',', "0 Байт"}, SizeCase{-1, 1023, ',', "1023 Байт"}, SizeCase{-1, 1024, ',', "1 Кб"},
                    SizeCase{-1, 1280, ',', "1,2 Кб"},                // 1.25: half to even
                    SizeCase{-1, 1792, ',', "1,8 Кб"},                // 1.75: half to even
                    SizeCase{-2, 1152, ',', "1,12 Кб"},               // 1.125: half to even
                    SizeCase{-1, 1536, ',', "1,5 Кб"}, SizeCase{-1, 1536, '.', "1.5 Кб"},
                    SizeCase{-1, 1048575, ',', "1024 Кб"},            // unit chosen before rounding
                    SizeCase{-1, 1048576, ',', "1 Мб."}, SizeCase{-1, 1500000, ',', "1,4 Мб."},
                    SizeCase{-2, 1500000, ',', "1,43 Мб."}, SizeCase{-1, 10485760, ',', "10 Мб."},
                    SizeCase{-2, 2621440, ',', "2,5 Мб."}, SizeCase{-2, 3000000, ',', "2,86 Мб."}));

INSTANTIATE_TEST_SUITE_P(
    UnitBounds, FormatSizeTable,
    testing::Values(SizeCase{-1, GiB, ',', "1 Гб."}, SizeCase{-1, GiB * KiB, ',', "1 Тб."},
                    SizeCase{-1, GiB * MiB, ',', "1 Пб."}, SizeCase{-1, GiB * GiB, ',', "1 Эб."},
                    SizeCase{-1, GiB * GiB * KiB, ',', "1 Зб."}, SizeCase{-1, YiB, ',', "1 Иб."},
                    SizeCase{-1, std::nextafter(YiB * KiB, 0.0), ',', "1024 Иб."}, SizeCase{-1, YiB * KiB, ',', ""},
                    SizeCase{-1, -1, ',', ""}, SizeCase{-1, -0.5, ',', ""},
                    SizeCase{-1, std::numeric_limits<double>::infinity(), ',', ""},
                    SizeCase{-1, std::numeric_limits<double>::quiet_NaN(), ',', ""}));

INSTANTIATE_TEST_SUITE_P(
    OtherDigits, FormatSizeTable,
    testing::Values(SizeCase{0, 1536, ',', "2 Кб"}, SizeCase{0, 2560, ',', "2 Кб"},  // 1.5 and 2.5 to even
                    SizeCase{1, 1015, ',', "1020 Байт"}, SizeCase{1, 5, ',', "0 Байт"},
                    SizeCase{-20, 1280, ',', "1,25 Кб"},
                    SizeCase{-5, 0.00001, ',', "0,00001 Байт"},  // never an exponent
                    // 15 significant digits at most, with the carry running into the whole part
                    SizeCase{-20, 1000.0 + 1.0 / 3.0, ',', "1000,33333333333 Байт"},
                    SizeCase{-20, 1023.9999999999999, ',', "1024 Байт"}));

TEST(FormatSize, RefusesDigitOutsideItsRange) {
    EXPECT_THROW(AllInOne::FormatSize(21, 1024, ','), std::out_of_range);
    EXPECT_THROW(AllInOne::FormatSize(-21, 1024, ','), std::out_of_range);
}

// The one-argument form takes the separator of the process's numeric locale.

}  // namespace
