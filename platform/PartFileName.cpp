#include <cstdint>
#include <mutex>
#include <random>

#include "platform/PartFile.h"
#include "platform/ResumeRecord.h"

namespace platform {
namespace {

constexpr std::string_view kPrefix = ".pw-";
constexpr std::string_view kSuffix = ".part";
constexpr std::size_t kHashDigits = 16;
constexpr std::size_t kRandomChars = 12;
constexpr std::string_view kHex = "0123456789abcdef";
constexpr std::string_view kRandomAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

// FNV-1a: tells which target a leftover belonged to, nothing more is asked of it.
std::uint64_t NameHash(std::string_view name) {
    std::uint64_t h = 14695981039346656037ull;
    for (const unsigned char c : name) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

bool AllOf(std::string_view text, std::string_view alphabet) {
    return text.find_first_not_of(alphabet) == std::string_view::npos;
}

std::string HashedName(std::string_view targetName, std::string_view suffix) {
    std::string name(kPrefix);
    const std::uint64_t hash = NameHash(targetName);
    for (std::size_t i = 0; i < kHashDigits; ++i) name += kHex[(hash >> (60 - 4 * i)) & 15];
    name += suffix;
    return name;
}

bool IsHashedName(std::string_view name, std::string_view suffix) {
    return name.size() == kPrefix.size() + kHashDigits + suffix.size() && name.starts_with(kPrefix) &&
           name.ends_with(suffix) && AllOf(name.substr(kPrefix.size(), kHashDigits), kHex);
}

constexpr std::string_view kRecordSuffix = ".resume";

}  // namespace

std::string PartFileName(std::string_view targetName) {
    // One engine for the process: one per thread would be destroyed by the static Windows
    // runtime after it freed the thread's memory.
    static std::mutex mutex;
    static std::mt19937_64 engine{std::random_device{}()};
    std::string name = HashedName(targetName, "-");
    {
        std::lock_guard lock(mutex);
        for (std::size_t i = 0; i < kRandomChars; ++i) name += kRandomAlphabet[engine() % kRandomAlphabet.size()];
    }
    name += kSuffix;
    return name;
}

bool IsPartFileName(std::string_view name) {
    constexpr std::size_t kLength = kPrefix.size() + kHashDigits + 1 + kRandomChars + kSuffix.size();
    if (name.size() != kLength || !name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
    name.remove_prefix(kPrefix.size());
    return AllOf(name.substr(0, kHashDigits), kHex) && name[kHashDigits] == '-' &&
           AllOf(name.substr(kHashDigits + 1, kRandomChars), kRandomAlphabet);
}

std::string KeptPartFileName(std::string_view targetName) { return HashedName(targetName, kSuffix); }

bool IsKeptPartFileName(std::string_view name) { return IsHashedName(name, kSuffix); }

std::string ResumeRecordName(std::string_view targetName) { return HashedName(targetName, kRecordSuffix); }

bool IsResumeRecordName(std::string_view name) { return IsHashedName(name, kRecordSuffix); }

std::string KeptPartOfRecord(std::string_view recordName) {
    return std::string(recordName.substr(0, recordName.size() - kRecordSuffix.size())) + std::string(kSuffix);
}

std::uint64_t TextChecksum(std::string_view text) { return NameHash(text); }

}  // namespace platform
