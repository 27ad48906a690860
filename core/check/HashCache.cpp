#include "core/check/HashCache.h"

#include <charconv>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

constexpr std::string_view kHeader = "packwell-hashes 1";
// Far above the entries of the largest manifest; anything bigger is not ours.
constexpr std::uintmax_t kMaxCacheBytes = 64 * 1024 * 1024;

// Takes the text up to the next blank off `line`.
std::string_view Field(std::string_view& line) {
    const std::size_t blank = line.find(' ');
    const std::string_view field = line.substr(0, blank);
    line.remove_prefix(blank == std::string_view::npos ? line.size() : blank + 1);
    return field;
}

bool Number(std::string_view text, std::int64_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string ReadSmallFile(const fs::path& file) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > kMaxCacheBytes) return {};
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

}  // namespace

HashCache HashCache::Load(const fs::path& file) {
    HashCache cache;
    std::istringstream text(ReadSmallFile(file));
    std::string line;
    if (!std::getline(text, line) || line != kHeader) return cache;
    while (std::getline(text, line)) {
        std::string_view rest = line;
        const auto digest = platform::ParseSha256Hex(Field(rest));
        Entry entry;
        if (!digest || !Number(Field(rest), entry.stamp.size) || !Number(Field(rest), entry.stamp.modified) ||
            !Number(Field(rest), entry.readAt) || entry.readAt < kRacyMicros || rest.empty())
            continue;
        entry.sha256 = *digest;
        cache.loaded_[std::string(rest)] = entry;
    }
    return cache;
}

std::int64_t HashCache::Now() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

std::optional<platform::Sha256Digest> HashCache::Known(const std::string& key, const FutureDownloads::FileStamp& stamp) {
    const auto it = loaded_.find(key);
    if (it == loaded_.end() || it->second.stamp != stamp) return std::nullopt;
    // modified + kRacyMicros <= readAt, without overflow (Load refuses a readAt below kRacyMicros).
    if (stamp.modified > it->second.readAt - kRacyMicros) return std::nullopt;
    kept_[key] = it->second;
    return it->second.sha256;
}

void HashCache::Record(const std::string& key, const FutureDownloads::FileStamp& stamp,
                       const platform::Sha256Digest& sha256, std::int64_t readAt) {
    // One entry a line: a key with a line break could not be read back.
    if (key.empty() || key.find_first_of("\r\n") != std::string::npos) return;
    kept_[key] = {stamp, sha256, readAt};
}

bool HashCache::Save(const fs::path& file) const {
    if (kept_ == loaded_) return true;
    std::string text(kHeader);
    text += '\n';
    for (const auto& [key, e] : kept_)
        text += platform::Sha256Hex(e.sha256) + ' ' + std::to_string(e.stamp.size) + ' ' +
                std::to_string(e.stamp.modified) + ' ' + std::to_string(e.readAt) + ' ' + key + '\n';
    try {
        platform::WriteFileAtomically(file, text);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace packwell
