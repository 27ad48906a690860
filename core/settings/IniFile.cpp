#include "core/settings/IniFile.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "core/Utf8Path.h"
#include "core/settings/IniEdit.h"
#include "core/settings/IniEncoding.h"
#include "platform/AtomicFile.h"
#include "platform/IniText.h"

namespace packwell {
namespace {

// The whole file; empty when it does not exist; nullopt when it exists but cannot be read
// (a folder or a pipe counts as unreadable: the read would fail or never end).
std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return std::string();
    if (ec || status.type() != std::filesystem::file_type::regular) return std::nullopt;
    std::ifstream in(path, std::ios::binary);  // a wide name on Windows
    if (!in) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return text;
}

ini::Encoding SystemEncodingBeyondAscii() {
    return platform::IniTextNeedsUtf16() ? ini::Encoding::Utf16Le : ini::Encoding::Utf8;
}

}  // namespace

IniWriteError::IniWriteError(const std::filesystem::path& path)
    : std::runtime_error("Unable to write to " + Utf8FromPath(path)) {}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

// An unreadable file reads like a missing one: every key gives its default.
IniData IniFile::Load() const { return IniData::Parse(ReadWhole(path_).value_or(std::string())); }

std::string IniFile::ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const {
    return Load().ReadString(Section, Key, Default);
}

std::int32_t IniFile::ReadInteger(const std::string& Section, const std::string& Key, std::int32_t Default) const {
    return Load().ReadInteger(Section, Key, Default);
}

bool IniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
    return Load().ReadBool(Section, Key, Default);
}

void IniFile::WriteString(const std::string& Section, const std::string& Key, const std::string& Value) const {
    // Text that would not read back as written (a line break in a path) is a refused write.
    try {
        ini::CheckWritable(Section, Key, Value);
    } catch (const std::invalid_argument&) {
        throw IniWriteError(path_);
    }
    // A file that exists but cannot be read would lose its other keys: refuse instead.
    const std::optional<std::string> current = ReadWhole(path_);
    if (!current) throw IniWriteError(path_);
    // A UTF-16 file stays UTF-16; one whose other lines would not survive the round trip
    // (a lone surrogate, an odd byte) is refused rather than changed.
    const ini::DecodedFile file = ini::DecodeFile(*current);
    if (ini::EncodeFile(file.text, file.encoding) != *current) throw IniWriteError(path_);
    try {
        const std::string text = ini::SetValue(file.text, Section, Key, Value);
        const ini::Encoding encoding = ini::EncodingToWrite(file.encoding, text, SystemEncodingBeyondAscii());
        platform::WriteFileAtomically(path_, ini::EncodeFile(text, encoding));
    } catch (const std::system_error&) {
        throw IniWriteError(path_);
    }
}

void IniFile::WriteInteger(const std::string& Section, const std::string& Key, std::int32_t Value) const {
    WriteString(Section, Key, std::to_string(Value));
}

void IniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) const {
    WriteString(Section, Key, Value ? "1" : "0");
}

}  // namespace packwell
