#pragma once
// The bytes of an INI file as the UTF-8 text the syntax reads, and back. A file that opens
// with the UTF-16LE byte-order mark is UTF-16, as Windows reads it; any other file is UTF-8.
#include <string>
#include <string_view>

namespace packwell::ini {

enum class Encoding { Utf8, Utf16Le };

struct DecodedFile {
    Encoding encoding = Encoding::Utf8;
    std::string text;  // UTF-8; a UTF-16 file's byte-order mark is not part of it
};

// Unpaired surrogates read as U+FFFD; an odd last byte is dropped.
DecodedFile DecodeFile(std::string_view bytes);

// The file bytes for text: UTF-8 as it is, or UTF-16LE behind its byte-order mark.
std::string EncodeFile(std::string_view text, Encoding encoding);

}  // namespace packwell::ini
