#pragma once
// What a kept part file may be continued with: the server's validator of the file it holds
// the start of, and how many of its bytes are known to be on the disk. A small text file
// beside the part file (".pw-" + 16 hex digits + ".resume"), written only after the part
// file was synced, so a power cut never leaves it claiming bytes the disk may not have. A torn
// or foreign record reads as none: the download then starts from zero.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct ResumeRecord {
    std::string validator;  // an ETag (strong) or a Last-Modified date, sent back as If-Range
    std::int64_t length = 0;
};

std::optional<ResumeRecord> ReadResumeRecord(const std::filesystem::path& target);
bool WriteResumeRecord(const std::filesystem::path& target, const ResumeRecord& record);
void RemoveResumeRecord(const std::filesystem::path& target);

// The names of the record and of the part file it belongs to.
std::string ResumeRecordName(std::string_view targetName);
bool IsResumeRecordName(std::string_view name);
std::string KeptPartOfRecord(std::string_view recordName);
// Tells a torn record from a whole one.
std::uint64_t TextChecksum(std::string_view text);

}  // namespace platform
