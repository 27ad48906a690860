// The settings file through IniFile, as the program reads and writes it. Only what holds under
// any of the reader's finer rules (quotes, line ends, encodings) is checked: any file reads
// without fault and gives values of at most 2047 UTF-16 units; a value the writer accepts
// reads back as written; a write changes no other key.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/settings/IniFile.h"
#include "tests/fuzz/FuzzSupport.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxValueUnits = 2047;
// Two defaults no file value can equal tell an absent key from a present one.
const std::string kAbsentA = "\x01" "absent-a", kAbsentB = "\x01" "absent-b";

fs::path TheFile() {
    static const fs::path file = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        static const fs::path dir = base / ("packwell-fuzz-ini-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::atexit([] { fs::remove_all(dir); });
        return dir / "Settings.ini";
    }();
    return file;
}

struct Name {
    std::string section, key;
};

// Names the file may hold, picked out loosely (no trimming or case rules of the reader's):
// the text of "[...]" lines and the text before "=", so lookups hit present keys, absent
// ones and near misses.
std::vector<Name> Probes(std::string_view file, const Name& written) {
    std::vector<Name> probes{written, {written.section, "Count"}, {"", written.key}};
    std::string section;
    while (!file.empty() && probes.size() < 40) {
        const std::size_t end = std::min(file.find_first_of("\r\n"), file.size());
        const std::string_view line = file.substr(0, end);
        file.remove_prefix(std::min(end + 1, file.size()));
        if (const std::size_t open = line.find('['); open != std::string_view::npos) {
            const std::size_t close = line.rfind(']');
            section = line.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
        } else if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
            probes.push_back({section, std::string(line.substr(0, eq))});
            probes.push_back({written.section, std::string(line.substr(0, eq))});
        }
    }
    return probes;
}

// A name as any rule of the reader's could see it, and wider: blanks and controls dropped,
// A-Z folded and every byte past ASCII alike. Names that differ here are different names.
std::string Loose(std::string_view name) {
    std::string out;
    for (const unsigned char c : name) {
        if (c <= 0x20 || c == 0x7f) continue;
        out += c >= 0x80 ? '*' : (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    }
    return out;
}

bool MayBeSame(const Name& a, const Name& b) { return Loose(a.section) == Loose(b.section) && Loose(a.key) == Loose(b.key); }

bool IsBlankOrControl(unsigned char c) { return c <= 0x20 || c == 0x7f; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// Text every reader rule keeps as it is: well-formed UTF-8, no control character, nothing
// to trim at either end, not wrapped in quotes.
bool Plain(std::string_view text, bool controlsInside) {
    if (!fuzz::IsValidUtf8(text)) return false;
    if (!text.empty() && (IsBlankOrControl(text.front()) || IsBlankOrControl(text.back()))) return false;
    if (!text.empty() && IsQuote(text.front()) && text.back() == text.front()) return false;
    if (!controlsInside)
        for (const unsigned char c : text)
            if (c < 0x20 || c == 0x7f) return false;
    return true;
}

std::string Read(const packwell::IniData& ini, const Name& name, const std::string& fallback) {
    return ini.ReadString(name.section, name.key, fallback);
}

void CheckReads(const packwell::IniData& ini, const std::vector<Name>& probes, const std::string& file) {
    for (const Name& probe : probes) {
        const std::string a = Read(ini, probe, kAbsentA), b = Read(ini, probe, kAbsentB);
        const auto where = [&] {
            return "file " + fuzz::Shown(file) + "\nsection " + fuzz::Shown(probe.section) + " key " +
                   fuzz::Shown(probe.key) + " read " + fuzz::Shown(a);
        };
        fuzz::Require(a == b || (a == kAbsentA && b == kAbsentB), "an absent key gives exactly the default", where);
        if (a != kAbsentA && fuzz::IsValidUtf8(a))
            fuzz::Require(fuzz::Utf16Units(a) <= kMaxValueUnits, "a value is at most 2047 UTF-16 units", where);
        ini.ReadInteger(probe.section, probe.key, 7);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Name written{input.ConsumeRandomLengthString(40), input.ConsumeRandomLengthString(40)};
    const std::string value = input.ConsumeRandomLengthString(3000);
    const std::string file = input.ConsumeRemainingBytesAsString();

    const fs::path path = TheFile();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
    const packwell::IniFile ini(path);
    const packwell::IniData before = ini.Load();
    const std::vector<Name> probes = Probes(file, written);
    CheckReads(before, probes, file);

    try {
        ini.WriteString(written.section, written.key, value);
    } catch (const std::invalid_argument&) {
        return 0;  // a value the writer refuses has nothing to read back
    } catch (const packwell::IniWriteError&) {
        return 0;  // the same refusal, reported as the program's write error
    }
    const packwell::IniData after = ini.Load();
    CheckReads(after, probes, file);

    const std::string got = Read(after, written, kAbsentA);
    const auto details = [&] {
        return "file " + fuzz::Shown(file) + "\nsection " + fuzz::Shown(written.section) + " key " +
               fuzz::Shown(written.key) + " value " + fuzz::Shown(value) + "\nread back " + fuzz::Shown(got);
    };
    if (Plain(written.section, false) && Plain(written.key, false) && Plain(value, true))
        fuzz::Require(got == fuzz::Utf16Cut(value, kMaxValueUnits), "a written value reads back as written", details);
    for (const Name& probe : probes)
        if (!MayBeSame(probe, written))
            fuzz::Require(Read(before, probe, kAbsentA) == Read(after, probe, kAbsentA), "a write changes no other key",
                          [&] { return details() + "\nother section " + fuzz::Shown(probe.section) + " key " + fuzz::Shown(probe.key); });
    return 0;
}
