#include "net/FutureDownloads/MarkerScanner.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace FutureDownloads {
namespace {

constexpr std::uint8_t kEndOfText = 26;
constexpr std::size_t kMaxMarker = 32;

// Knuth-Morris-Pratt fallback table of one marker: for a match of length k that fails,
// the length of the longest proper border of its first k characters.
struct Fallback {
    std::array<std::uint8_t, kMaxMarker> border{};
};

constexpr Fallback MakeFallback(std::string_view m) {
    Fallback f;
    std::size_t k = 0;
    for (std::size_t i = 1; i < m.size(); ++i) {
        while (k > 0 && m[i] != m[k]) k = f.border[k - 1];
        if (m[i] == m[k]) ++k;
        f.border[i] = static_cast<std::uint8_t>(k);
    }
    return f;
}

constexpr std::array<Fallback, kErrorMarkers.size()> kFallbacks = [] {
    std::array<Fallback, kErrorMarkers.size()> all{};
    for (std::size_t i = 0; i < kErrorMarkers.size(); ++i) all[i] = MakeFallback(kErrorMarkers[i]);
    return all;
}();

static_assert(kErrorMarkers.size() == 2, "the fast skip below looks for two first characters");
static_assert(kErrorMarkers[0].size() < kMaxMarker && kErrorMarkers[1].size() < kMaxMarker);

constexpr std::uint8_t kFirst0 = static_cast<std::uint8_t>(kErrorMarkers[0][0]);
constexpr std::uint8_t kFirst1 = static_cast<std::uint8_t>(kErrorMarkers[1][0]);

// With no match under way only a marker's first character or the end byte matter, so whole
// runs of other bytes (nearly all of a binary file) are skipped at once.
const std::uint8_t* SkipToCandidate(const std::uint8_t* p, const std::uint8_t* end) {
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8(static_cast<char>(kFirst0));
    const __m128i b = _mm_set1_epi8(static_cast<char>(kFirst1));
    const __m128i z = _mm_set1_epi8(static_cast<char>(kEndOfText));
    for (; end - p >= 64; p += 64) {
        int mask = 0;
        __m128i v[4];
        for (int j = 0; j < 4; ++j) {
            v[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * j));
            v[j] = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v[j], a), _mm_cmpeq_epi8(v[j], b)),
                                _mm_cmpeq_epi8(v[j], z));
        }
        mask = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v[0], v[1]), _mm_or_si128(v[2], v[3])));
        if (mask == 0) continue;
        for (int j = 0; j < 4; ++j) {
            const int m = _mm_movemask_epi8(v[j]);
            if (m != 0) return p + 16 * j + __builtin_ctz(static_cast<unsigned>(m));
        }
    }
#endif
    while (p < end && *p != kFirst0 && *p != kFirst1 && *p != kEndOfText) ++p;
    return p;
}

}  // namespace

void MarkerScanner::Step(std::uint8_t byte) {
    if (byte == kEndOfText) {
        ended_ = true;
        return;
    }
    if (byte == '\r' || byte == '\n') return;
    for (std::size_t i = 0; i < kErrorMarkers.size(); ++i) {
        const std::string_view m = kErrorMarkers[i];
        std::size_t k = matched_[i];
        while (k > 0 && static_cast<std::uint8_t>(m[k]) != byte) k = kFallbacks[i].border[k - 1];
        if (static_cast<std::uint8_t>(m[k]) == byte) ++k;
        if (k == m.size()) {
            found_ = true;
            return;
        }
        matched_[i] = static_cast<std::uint8_t>(k);
    }
}

void MarkerScanner::Feed(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    const auto* end = p + size;
    while (p < end && !Done()) {
        if (matched_[0] == 0 && matched_[1] == 0) {
            p = SkipToCandidate(p, end);
            if (p == end) break;
        }
        Step(*p++);
    }
}

}  // namespace FutureDownloads
