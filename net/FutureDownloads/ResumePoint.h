#pragma once
// Where a download of a kept part file may go on, and how a response says it does.
#include <cstdint>
#include <string>

#include "net/FutureDownloads/HttpTransfer.h"
#include "platform/PartFile.h"

namespace FutureDownloads::detail {

struct ResumePoint {
    std::int64_t from = 0;  // bytes of the part file to keep
    std::string validator;  // sent as If-Range
};

// Reads the part file's resume record and cuts the part file to the bytes that may be trusted:
// those the record says were synced, or, when the whole file will be hashed (`hashed`), all of
// it, since a hash catches whatever a power cut left there. Anything doubtful starts from zero;
// `from` is -1 when the part file could not be cut.
ResumePoint TrustedStart(platform::PartFile& file, bool hashed);

// What may be sent back as If-Range: a strong ETag, else the Last-Modified date; empty: none,
// and the body cannot be continued later.
std::string Validator(const ResponseHead& head);

// The first byte a 206 response carries ("bytes 100-199/200" gives 100); -1 when unreadable.
std::int64_t RangeStart(const std::string& contentRange);

}  // namespace FutureDownloads::detail
