#include <chrono>
#include <random>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace AllInOne {

// Seeded afresh at every call, from the system's entropy and the clock together, so two
// calls within one clock tick still give different names.
std::string RandomDigits(std::uint8_t N) {
    std::random_device entropy;
    const auto now = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq seed{entropy(), entropy(), static_cast<unsigned>(now), static_cast<unsigned>(now >> 32)};
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> digit(0, 9);
    std::string text(N, '0');
    for (char& c : text) c = static_cast<char>('0' + digit(generator));
    return text;
}

}  // namespace AllInOne
