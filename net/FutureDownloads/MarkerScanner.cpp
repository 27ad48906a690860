#include "net/FutureDownloads/MarkerScanner.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace FutureDownloads {
namespace {

constexpr std::uint8_t kEndOfText = 26;
constexpr std::size_t kMaxMarker = 32;

constexpr std::size_t kLongest =
    std::max_element(kErrorMarkers.begin(), kErrorMarkers.end(),
                     [](std::string_view a, std::string_view b) { return a.size() < b.size(); })->size();

bool IsLineBreak(std::uint8_t byte) { return byte == '\r' || byte == '\n'; }

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

// One character of each marker that text seldom holds: not a digit or ':' (config files and
// JSON are full of them), not a common lower-case letter.
constexpr std::array<char, kErrorMarkers.size()> kAnchors = {'F', 'k'};

constexpr std::array<std::size_t, kErrorMarkers.size()> kAnchorAt = [] {
    std::array<std::size_t, kErrorMarkers.size()> at{};
    for (std::size_t i = 0; i < kErrorMarkers.size(); ++i) at[i] = kErrorMarkers[i].find(kAnchors[i]);
    return at;
}();

static_assert(kErrorMarkers.size() == 2, "the anchor search below looks for two bytes");
static_assert(kLongest < kMaxMarker);
static_assert(kAnchorAt[0] != std::string_view::npos && kAnchorAt[1] != std::string_view::npos);
static_assert(kAnchorAt[0] + 1 < kErrorMarkers[0].size() && kAnchorAt[1] + 1 < kErrorMarkers[1].size(),
              "an anchor's next character narrows the candidates");

#if defined(__SSE2__)
// The first 64-byte stretch from p that holds an anchor byte or a byte 26; stops where fewer
// than 65 bytes are left. Ordinary text spends nearly all its time here, so it tests each
// stretch as a whole, for all three bytes in one pass.
const std::uint8_t* SkipQuietSse2(const std::uint8_t* p, const std::uint8_t* end) {
    const __m128i a = _mm_set1_epi8(kAnchors[0]);
    const __m128i b = _mm_set1_epi8(kAnchors[1]);
    const __m128i e = _mm_set1_epi8(kEndOfText);
    const auto hits = [&](int j) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * j));
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b)), _mm_cmpeq_epi8(v, e));
    };
    for (; end - p > 64; p += 64)
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(hits(0), hits(1)), _mm_or_si128(hits(2), hits(3)))) != 0)
            break;
    return p;
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same with 32-byte compares, on processors that have them.
__attribute__((target("avx2"))) const std::uint8_t* SkipQuietAvx2(const std::uint8_t* p, const std::uint8_t* end) {
    const __m256i a = _mm256_set1_epi8(kAnchors[0]);
    const __m256i b = _mm256_set1_epi8(kAnchors[1]);
    const __m256i e = _mm256_set1_epi8(kEndOfText);
    for (; end - p > 64; p += 64) {
        const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
        const __m256i hit0 = _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(v0, a), _mm256_cmpeq_epi8(v0, b)),
                                             _mm256_cmpeq_epi8(v0, e));
        const __m256i hit1 = _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(v1, a), _mm256_cmpeq_epi8(v1, b)),
                                             _mm256_cmpeq_epi8(v1, e));
        const __m256i hit = _mm256_or_si256(hit0, hit1);
        if (!_mm256_testz_si256(hit, hit)) break;
    }
    return p;
}
#endif

const std::uint8_t* SkipQuiet(const std::uint8_t* p, const std::uint8_t* end) {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return SkipQuietAvx2(p, end);
#endif
    return SkipQuietSse2(p, end);
}

// Bit i set when p[i] is a marker's anchor and p[i + 1] may continue it (the marker's next
// character or a line break), for the 64 bytes from p; reads p[64] too.
std::uint64_t ContinuedAnchorMask64(const std::uint8_t* p) {
    const __m128i a0 = _mm_set1_epi8(kAnchors[0]);
    const __m128i a1 = _mm_set1_epi8(kAnchors[1]);
    const __m128i n0 = _mm_set1_epi8(kErrorMarkers[0][kAnchorAt[0] + 1]);
    const __m128i n1 = _mm_set1_epi8(kErrorMarkers[1][kAnchorAt[1] + 1]);
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t mask = 0;
    for (int j = 0; j < 4; ++j) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * j));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * j + 1));
        const __m128i brk = _mm_or_si128(_mm_cmpeq_epi8(w, cr), _mm_cmpeq_epi8(w, lf));
        const __m128i c0 = _mm_and_si128(_mm_cmpeq_epi8(v, a0), _mm_or_si128(_mm_cmpeq_epi8(w, n0), brk));
        const __m128i c1 = _mm_and_si128(_mm_cmpeq_epi8(v, a1), _mm_or_si128(_mm_cmpeq_epi8(w, n1), brk));
        const int m = _mm_movemask_epi8(_mm_or_si128(c0, c1));
        mask |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(m)) << (16 * j);
    }
    return mask;
}
#endif

// Whether marker `m`, with its character `at` lying at `anchor`, is spelled out around it
// within [begin, end), line breaks skipped. A spelling cut off by either edge counts as no:
// the state machine finds those across the edge.
bool SpelledAround(std::string_view m, std::size_t at, const std::uint8_t* anchor, const std::uint8_t* begin,
                   const std::uint8_t* end) {
    const std::uint8_t* p = anchor;
    for (std::size_t k = at; k > 0;) {
        if (p == begin) return false;
        const std::uint8_t byte = *--p;
        if (IsLineBreak(byte)) continue;
        if (byte != static_cast<std::uint8_t>(m[--k])) return false;
    }
    p = anchor + 1;
    for (std::size_t k = at + 1; k < m.size();) {
        if (p == end) return false;
        const std::uint8_t byte = *p++;
        if (IsLineBreak(byte)) continue;
        if (byte != static_cast<std::uint8_t>(m[k++])) return false;
    }
    return true;
}

}  // namespace

void MarkerScanner::Step(Byte byte) {
    if (IsLineBreak(byte)) return;
    for (std::size_t i = 0; i < kErrorMarkers.size(); ++i) {
        const std::string_view m = kErrorMarkers[i];
        std::size_t k = matched_[i];
        while (k > 0 && static_cast<Byte>(m[k]) != byte) k = kFallbacks[i].border[k - 1];
        if (static_cast<Byte>(m[k]) == byte) ++k;
        if (k == m.size()) {
            found_ = true;
            return;
        }
        matched_[i] = static_cast<std::uint8_t>(k);
    }
}

bool MarkerScanner::Matching() const {
    return std::any_of(matched_.begin(), matched_.end(), [](std::uint8_t k) { return k != 0; });
}

// Runs the state machine into the block until no match begun in earlier blocks can still
// complete: all partial matches died, or enough joined characters passed for any to end.
// Returns where it stopped.
const MarkerScanner::Byte* MarkerScanner::FinishCarriedMatches(const Byte* p, const Byte* end) {
    for (std::size_t joined = 0; p < end && *p != kEndOfText && !found_ && joined < kLongest - 1 && Matching(); ++p) {
        if (!IsLineBreak(*p)) ++joined;
        Step(*p);
    }
    return p;
}

// A marker lying wholly inside [begin, end) before its first byte 26. Whole 64-byte
// stretches with neither an anchor nor a byte 26, nearly all of ordinary text, cost a few
// vector compares; the first stretch that stops the skip settles where the text ends, the
// finer test with the next byte runs only where an anchor is, and only its survivors are
// spelled out. When the answer is no, `cut` is the first byte 26 or null.
bool MarkerScanner::FoundInside(const Byte* begin, const Byte* end, const Byte*& cut) const {
    const Byte* limit = end;  // the text's end once the cut is known
    bool cutKnown = false;
    // No byte 26 lies before `from`: the skip passed none.
    const auto knowCut = [&](const Byte* from) {
        if (cutKnown) return;
        cutKnown = true;
        cut = static_cast<const Byte*>(std::memchr(from, kEndOfText, static_cast<std::size_t>(end - from)));
        if (cut) limit = cut;
    };
    const auto markerAt = [begin, &limit](const Byte* p) {
        for (std::size_t i = 0; i < kErrorMarkers.size(); ++i)
            if (*p == static_cast<Byte>(kAnchors[i]) &&
                SpelledAround(kErrorMarkers[i], kAnchorAt[i], p, begin, limit))
                return true;
        return false;
    };
    const Byte* p = begin;
#if defined(__SSE2__)
    for (; (p = SkipQuiet(p, limit)), limit - p > 64; p += 64) {
        knowCut(p);
        if (limit - p <= 64) break;
        for (std::uint64_t mask = ContinuedAnchorMask64(p); mask != 0; mask &= mask - 1)
            if (markerAt(p + __builtin_ctzll(mask))) return true;
    }
#endif
    knowCut(p);
    for (; p < limit; ++p)
        if (markerAt(p)) return true;
    return false;
}

// Sets the carried state as the state machine would leave it at end. Only the last joined
// characters can hold a marker's beginning; the window reaches back to begin only when the
// block is that short, and then the carried matches had died before it ended.
void MarkerScanner::CarryTail(const Byte* begin, const Byte* end) {
    const Byte* from = end;
    for (std::size_t joined = 0; from > begin && joined < kLongest - 1;)
        if (!IsLineBreak(*--from)) ++joined;
    matched_ = {};
    for (; from < end; ++from) Step(*from);
}

void MarkerScanner::Feed(const void* data, std::size_t size) {
    if (Done() || size == 0) return;
    const auto* begin = static_cast<const Byte*>(data);
    const Byte* const end = begin + size;

    // The state machine is exact over the bytes it reads: when it read the whole block the
    // state it leaves is the one to carry, and when it stopped at a byte 26 the text ended
    // with no marker in it.
    const Byte* const stop = FinishCarriedMatches(begin, end);
    if (found_ || stop == end) return;
    if (*stop == kEndOfText) {
        ended_ = true;
        return;
    }
    const Byte* cut = nullptr;
    found_ = FoundInside(begin, end, cut);
    if (found_) return;
    if (cut) ended_ = true;
    else CarryTail(begin, end);
}

}  // namespace FutureDownloads
