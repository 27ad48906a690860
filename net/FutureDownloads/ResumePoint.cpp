#include "net/FutureDownloads/ResumePoint.h"

#include <algorithm>
#include <charconv>

#include "platform/ResumeRecord.h"

namespace FutureDownloads::detail {

ResumePoint TrustedStart(platform::PartFile& file, bool hashed) {
    const auto record = platform::ReadResumeRecord(file.Target());
    const std::int64_t size = file.Size();
    ResumePoint point;
    if (record && !record->validator.empty() && size > 0) {
        point.from = hashed ? size : std::min(record->length, size);
        point.validator = record->validator;
    }
    if (point.from == 0) {
        point.validator.clear();
        platform::RemoveResumeRecord(file.Target());
    }
    if (point.from != size && !file.Truncate(point.from)) point.from = -1;
    return point;
}

std::string Validator(const ResponseHead& head) {
    if (!head.etag.empty() && !head.etag.starts_with("W/")) return head.etag;  // a weak one may not
    return head.lastModified;
}

std::int64_t RangeStart(const std::string& contentRange) {
    constexpr std::string_view kUnit = "bytes ";
    if (!contentRange.starts_with(kUnit)) return -1;
    const char* begin = contentRange.data() + kUnit.size();
    const char* end = contentRange.data() + contentRange.size();
    std::int64_t start = -1;
    const auto [stop, ec] = std::from_chars(begin, end, start);
    if (ec != std::errc{} || stop == end || *stop != '-') return -1;
    return start;
}

}  // namespace FutureDownloads::detail
