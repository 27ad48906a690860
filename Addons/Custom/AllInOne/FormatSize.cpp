#include "Addons/Custom/AllInOne/AllInOne.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string_view>

#include "platform/Locale.h"

namespace AllInOne {
namespace {

constexpr std::string_view kUnits[] = {" Байт", " Кб", " Мб.", " Гб.", " Тб.", " Пб.", " Эб.", " Зб.", " Иб."};
constexpr int kMaxSignificant = 15;

// Rounds to the nearest integer, halves to even, whatever rounding mode the caller left set.
long double RoundHalfEven(long double value) {
    const int oldMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyintl(value);
    std::fesetround(oldMode);
    return rounded;
}

// The decimal digits of a whole long double, exactly.
std::string WholeDigits(long double whole) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0Lf", whole);
    return buf;
}

// Cuts the fraction so that at most kMaxSignificant digits remain, rounding half up.
// The whole part never has more than four digits (values stay below 1024.5).
void LimitSignificant(std::string& whole, std::string& fraction) {
    const std::size_t leadingZeros = whole == "0" ? fraction.find_first_not_of('0') : 0;
    if (leadingZeros == std::string::npos) return;  // the value is zero
    const std::size_t wholeSignificant = whole == "0" ? 0 : whole.size();
    const std::size_t keep = kMaxSignificant - wholeSignificant + leadingZeros;  // fraction digits kept
    if (fraction.size() <= keep) return;
    const bool up = fraction[keep] >= '5';
    fraction.resize(keep);
    if (!up) return;
    std::string digits = whole + fraction;
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) digits.insert(digits.begin(), '1');
    else ++digits[i - 1];
    whole = digits.substr(0, digits.size() - fraction.size());
    fraction = digits.substr(whole.size());
}

// The number R * 10^Digit in the general format: no exponent, no trailing zeros.
std::string FormatScaled(long double rounded, int digit, std::string_view separator) {
    std::string digits = WholeDigits(rounded);
    if (digits == "0") return "0";
    std::string whole, fraction;
    if (digit >= 0) {
        whole = digits + std::string(static_cast<std::size_t>(digit), '0');
    } else {
        const std::size_t decimals = static_cast<std::size_t>(-digit);
        if (digits.size() <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
        whole = digits.substr(0, digits.size() - decimals);
        fraction = digits.substr(whole.size());
    }
    LimitSignificant(whole, fraction);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? whole : whole + std::string(separator) + fraction;
}

std::string FormatSizeWith(std::int8_t Digit, double Size, std::string_view separator) {
    if (Digit < -20 || Digit > 20) throw std::out_of_range("FormatSize: Digit must lie between -20 and 20");
    // The unit is chosen from the size itself, before any rounding.
    if (!(Size >= 0)) return {};  // negative, or not a number
    long double divisor = 1;
    std::size_t unit = 0;
    while (unit < std::size(kUnits) && !(Size < divisor * 1024)) {
        divisor *= 1024;
        ++unit;
    }
    if (unit == std::size(kUnits)) return {};

    // Powers of ten up to 10^20 are exact in extended precision, so is the division by a
    // power of two; only the product rounds, in 64-bit mantissa precision.
    const long double value = static_cast<long double>(Size) / divisor;
    long double power = 1;
    for (int i = 0; i < std::abs(Digit); ++i) power *= 10;
    const long double scaled = Digit < 0 ? value * power : value / power;
    return FormatScaled(RoundHalfEven(scaled), Digit, separator) + std::string(kUnits[unit]);
}

}  // namespace

std::string FormatSize(std::int8_t Digit, double Size, char DecimalSeparator) {
    return FormatSizeWith(Digit, Size, std::string_view(&DecimalSeparator, 1));
}

std::string FormatSize(std::int8_t Digit, double Size) {
    return FormatSizeWith(Digit, Size, platform::DecimalSeparator());
}

}  // namespace AllInOne
