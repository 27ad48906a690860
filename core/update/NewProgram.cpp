#include "core/update/NewProgram.h"

#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/update/ExecutableFormat.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

#ifdef _WIN32
constexpr const char* kProgramSuffix = ".exe";
#else
constexpr const char* kProgramSuffix = "";
#endif

bool IsAsciiAlnum(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

const char* NewProgramServerPath() {
#ifdef _WIN32
    return "/Update.exe";
#else
    return "/Update-linux";
#endif
}

std::string NewProgramFileName(const std::string& version) { return "Packwell Brenvik v" + version + kProgramSuffix; }

std::string NewProgramTempName() { return AllInOne::RandomDigits(20) + kProgramSuffix; }

bool IsSafeVersionText(std::string_view version) {
    if (version.size() > kMaxVersionLength) return false;
    for (const char c : version)
        if (!IsAsciiAlnum(c) && c != '.' && c != '-' && c != '_') return false;
    return true;
}

NewProgramVerdict CheckNewProgram(const fs::path& file, std::int64_t announcedLength) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return NewProgramVerdict::Missing;
    const auto size = fs::file_size(file, ec);
    if (ec) return NewProgramVerdict::Missing;
    if (size == 0) return NewProgramVerdict::Empty;
    if (announcedLength >= 0 && static_cast<std::int64_t>(size) != announcedLength) return NewProgramVerdict::WrongLength;
    if (InspectExecutable(file) != ImageFault::None) return NewProgramVerdict::NotExecutable;
    return NewProgramVerdict::Ok;
}

}  // namespace packwell
