#pragma once
// An INI file addressed by path. Every read goes to the file at that moment and every
// write replaces the file atomically, so a file fetched anew is seen through the same object.
#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace packwell {

// Raised when a write is refused; what() is "Unable to write to <path>".
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::filesystem::path& path);
};

// The content of an INI file parsed once, read with the same rules as IniFile. For callers
// that read many keys of a file that does not change meanwhile (the manifest during a check).
class IniData {
public:
    // The file's bytes: UTF-8 (a byte-order mark skipped), or UTF-16LE behind its mark.
    static IniData Parse(const std::string& bytes);
    std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
    std::int32_t ReadInteger(const std::string& Section, const std::string& Key, std::int32_t Default) const;
    // The same conversion over 64 bits, for file sizes.
    std::int64_t ReadInt64(const std::string& Section, const std::string& Key, std::int64_t Default) const;
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;

private:
    // section (lower case) -> key (lower case) -> value, first occurrence wins
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

class IniFile {
public:
    explicit IniFile(std::filesystem::path path);
    const std::filesystem::path& FileName() const { return path_; }
    // The whole file read once (empty when it is missing).
    IniData Load() const;

    // Section and key names match without regard to case; a present empty value reads empty;
    // at most 2047 characters come back.
    std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
    // Decimal, "$" hex, or "0x" hex (only when longer than two characters); otherwise Default.
    std::int32_t ReadInteger(const std::string& Section, const std::string& Key, std::int32_t Default) const;
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;

    // Creates the file and the section when missing. Throws IniWriteError, also for text that
    // would not read back as written.
    void WriteString(const std::string& Section, const std::string& Key, const std::string& Value) const;
    void WriteInteger(const std::string& Section, const std::string& Key, std::int32_t Value) const;
    void WriteBool(const std::string& Section, const std::string& Key, bool Value) const;  // "1"/"0"

private:
    std::filesystem::path path_;
};

}  // namespace packwell
