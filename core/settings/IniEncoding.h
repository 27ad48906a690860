#pragma once
// The bytes of an INI file as the UTF-8 text the syntax reads, and back. A file that opens
// with the UTF-16LE byte-order mark is UTF-16, as Windows reads it. Any other file is UTF-8
// when its bytes are well-formed UTF-8, and otherwise Windows-1251: the code page the old
// Windows program wrote in on Russian systems.
#include <string>
#include <string_view>

namespace packwell::ini {

enum class Encoding { Utf8, Utf16Le, Windows1251 };

struct DecodedFile {
    Encoding encoding = Encoding::Utf8;
    std::string text;  // UTF-8; a UTF-16 file's byte-order mark is not part of it
};

// Unpaired surrogates read as U+FFFD; an odd last byte is dropped; the one byte 1251 leaves
// undefined (0x98) reads as U+FFFD.
DecodedFile DecodeFile(std::string_view bytes);

// The file bytes for text: UTF-8 as it is, UTF-16LE behind its byte-order mark, or 1251
// (a character it lacks becomes "?").
std::string EncodeFile(std::string_view text, Encoding encoding);

// The encoding of a file whose whole new text is text. A UTF-16 file stays UTF-16 and ASCII
// text keeps the file's encoding; other text goes out as beyondAscii, the encoding the system's
// own readers take (a 1251 file too: 1251 may lack the character).
Encoding EncodingToWrite(Encoding current, std::string_view text, Encoding beyondAscii);

}  // namespace packwell::ini
