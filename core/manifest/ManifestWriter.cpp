#include "core/manifest/ManifestWriter.h"

#include <stdexcept>

#include "core/settings/IniFile.h"
#include "core/settings/IniEncoding.h"
#include "core/settings/IniSyntax.h"

namespace packwell {
namespace {

constexpr std::string_view kNewLine = "\r\n";

void AddEntry(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append(kNewLine);
}

void AddName(std::string& out, const std::string& key, const std::string& name) {
    if (!ReadsBackUnchanged(name))
        throw std::invalid_argument("the name \"" + name + "\" would not read back from the manifest");
    AddEntry(out, key, name);
}

}  // namespace

bool ReadsBackUnchanged(std::string_view value) {
    // Ask the reader itself rather than restating its rules.
    const std::string text = "[s]\nk=" + std::string(value) + "\n";
    return IniData::Parse(text).ReadString("s", "k", std::string(value) + "\x01") == value;
}

std::string FormatModList(const std::vector<ManifestEntry>& mods) {
    std::string out = "[modlist]";
    out += kNewLine;
    AddEntry(out, "Count", std::to_string(mods.size()));
    for (std::size_t i = 0; i < mods.size(); ++i) {
        const std::string key = "mod" + std::to_string(i + 1);
        AddName(out, key, mods[i].name);
        AddEntry(out, key + "size", std::to_string(mods[i].size));
        if (mods[i].sha256) AddEntry(out, key + "sha256", platform::Sha256Hex(*mods[i].sha256));
    }
    return out;
}

std::string FormatDelList(const std::vector<std::string>& names) {
    std::string out = "[dellist]";
    out += kNewLine;
    AddEntry(out, "Count", std::to_string(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) AddName(out, "mod" + std::to_string(i + 1), names[i]);
    return out;
}

std::string ReplaceSection(std::string_view fileBytes, std::string_view section, std::string_view replacement) {
    // A manifest saved as UTF-16 is read as UTF-16: the lists go in as text and the file keeps
    // its encoding, or clients would read the new lines as garbage.
    const ini::DecodedFile decoded = ini::DecodeFile(fileBytes);
    std::string_view bom;
    const std::vector<ini::Line> lines = ini::SplitLines(decoded.text, bom);

    std::string out(bom);
    bool inSection = false, placed = false;
    for (const ini::Line& line : lines) {
        const ini::Parsed parsed = ini::ParseLine(line.text);
        if (parsed.kind == ini::Parsed::Kind::Section) {
            inSection = ini::SameName(parsed.name, section);
            if (inSection && !placed) {
                out += replacement;
                placed = true;
            }
        }
        if (inSection) continue;
        out += line.text;
        out += line.ending;
    }
    if (!placed) {
        if (!out.empty() && out.back() != '\n') out += kNewLine;
        out += replacement;
    }
    // A file that read as Windows-1251 goes out as UTF-8, as before: 1251 cannot hold every
    // name, and clients read well-formed UTF-8 as UTF-8.
    const ini::Encoding encoding =
        decoded.encoding == ini::Encoding::Windows1251 ? ini::Encoding::Utf8 : decoded.encoding;
    return ini::EncodeFile(out, encoding);
}

}  // namespace packwell
