#include "core/settings/IniEdit.h"

#include <optional>
#include <stdexcept>

#include "Addons/Custom/AllInOne/Utf8Codec.h"
#include "core/settings/IniSyntax.h"

namespace packwell::ini {
namespace {

constexpr std::string_view kNewLine = "\r\n";

bool HasLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

void CheckWritable(std::string_view section, std::string_view key, std::string_view value) {
    const auto refuse = [](const std::string& why) { throw std::invalid_argument("cannot store in the INI file: " + why); };
    // Bytes that are not UTF-8 would make the whole file read as another encoding, and every
    // other key beyond ASCII with it.
    if (!AllInOne::IsValidUtf8(section) || !AllInOne::IsValidUtf8(key) || !AllInOne::IsValidUtf8(value))
        refuse("text that is not UTF-8");
    if (Trim(section).empty()) refuse("empty section name");
    if (Trim(key).empty()) refuse("empty key");
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        refuse("a line break in \"" + std::string(key) + "\"");
    if (section.find(']') != std::string_view::npos) refuse("\"]\" in the section name \"" + std::string(section) + "\"");
    if (key.find('=') != std::string_view::npos || Trim(key).front() == '[' || Trim(key).front() == ';')
        refuse("the key \"" + std::string(key) + "\" would not read back");
}

std::string SetValue(std::string_view file, std::string_view section, std::string_view key, std::string_view value) {
    std::string_view bom;
    const std::vector<Line> lines = SplitLines(file, bom);

    // Where the reader would find the key (in the section's first occurrence only, first
    // entry wins), and where that occurrence ends.
    bool inFirst = false;
    std::optional<std::size_t> firstSection, lastLineOfFirst, found;
    std::string_view foundKey;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Parsed parsed = ParseLine(lines[i].text);
        if (parsed.kind == Parsed::Kind::Section) {
            if (inFirst) break;
            inFirst = !firstSection && SameName(parsed.name, section);
            if (inFirst) firstSection = i;
            continue;
        }
        if (!inFirst) continue;
        if (!Trim(lines[i].text).empty()) lastLineOfFirst = i;
        if (parsed.kind == Parsed::Kind::Entry && SameName(parsed.name, key)) {
            found = i;
            foundKey = parsed.name;
            break;
        }
    }

    std::string out(bom);
    const auto emit = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            out += lines[i].text;
            out += lines[i].ending;
        }
    };
    const std::string written = WritableValue(value);
    const std::string entry = std::string(Trim(key)) + "=" + written;

    if (found) {
        emit(0, *found);
        out += std::string(foundKey) + "=" + written;
        out += lines[*found].ending.empty() ? kNewLine : lines[*found].ending;
        emit(*found + 1, lines.size());
    } else if (firstSection) {
        const std::size_t after = lastLineOfFirst.value_or(*firstSection);
        emit(0, after);
        out += lines[after].text;
        out += lines[after].ending.empty() ? kNewLine : lines[after].ending;
        out += entry;
        out += kNewLine;
        emit(after + 1, lines.size());
    } else {
        emit(0, lines.size());
        if (!lines.empty() && lines.back().ending.empty()) out += kNewLine;
        out += "[" + std::string(Trim(section)) + "]";
        out += kNewLine;
        out += entry;
        out += kNewLine;
    }
    return out;
}

}  // namespace packwell::ini
