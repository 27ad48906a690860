#include "platform/ResumeRecord.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/Utf8Path.h"
#include "platform/PartFile.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

fs::path RecordPath(const fs::path& target) {
    return target.parent_path() / packwell::PathFromUtf8(ResumeRecordName(packwell::Utf8FromPath(target.filename())));
}

// Target name, validator and length, one a line, then their checksum: a record for another
// file (a name hash that collides) or one cut short reads as none.
std::string Body(const fs::path& target, const ResumeRecord& record) {
    return packwell::Utf8FromPath(target.filename()) + "\n" + record.validator + "\n" + std::to_string(record.length) +
           "\n";
}

}  // namespace

std::optional<ResumeRecord> ReadResumeRecord(const fs::path& target) {
    std::ifstream in(RecordPath(target), std::ios::binary);
    std::string name, validator, length, checksum;
    if (!std::getline(in, name) || !std::getline(in, validator) || !std::getline(in, length) ||
        !std::getline(in, checksum))
        return std::nullopt;
    ResumeRecord record{validator, 0};
    const auto [end, ec] = std::from_chars(length.data(), length.data() + length.size(), record.length);
    if (ec != std::errc{} || end != length.data() + length.size() || record.length < 0) return std::nullopt;
    const std::string body = Body(target, record);
    if (name != packwell::Utf8FromPath(target.filename()) || checksum != std::to_string(TextChecksum(body)))
        return std::nullopt;
    return record;
}

bool WriteResumeRecord(const fs::path& target, const ResumeRecord& record) {
    const std::string body = Body(target, record);
    std::ofstream out(RecordPath(target), std::ios::binary | std::ios::trunc);
    out << body << TextChecksum(body) << "\n";
    out.close();
    return !out.fail();
}

void RemoveResumeRecord(const fs::path& target) {
    std::error_code ec;
    fs::remove(RecordPath(target), ec);
}

}  // namespace platform

namespace platform {

void PartFile::ForgetKept() {
    if (resumable_) RemoveResumeRecord(target_);
}

}  // namespace platform
