// The mod-name rule. A name the client accepts names a file inside the mods folder: as a path
// on Linux, as a path as Windows reads it, and as an address under "/mods3/". A name the pack
// tool accepts is one the client accepts, and it reads back unchanged from the manifest the
// tool writes, whatever manifest was there before.
#include <curl/curl.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/Utf8Path.h"
#include "core/manifest/ManifestWriter.h"
#include "core/manifest/ModFileName.h"
#include "core/sync/FileStep.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/packwell-pack/PackLayout.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFolder = "/home/player/.minecraft/mods/1.12.2";
const std::string kBase = "http://127.0.0.1:9/client";
const std::string kModsPath = "/mods3/";

bool InsideOnLinux(const std::string& name) {
    const fs::path file = kFolder / packwell::PathFromUtf8(name);
    return file.parent_path() == kFolder && file.filename() == packwell::PathFromUtf8(name) &&
           file.lexically_normal() == file;
}

// Windows reads the last part of a path without its trailing dots and blanks, and a device
// name (CON, NUL, COM1 ...), with or without an extension, as the device.
bool InsideOnWindows(std::string_view name) {
    if (name.find_first_of("/\\:") != std::string_view::npos) return false;
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    if (name.empty() || name == "." || name == "..") return false;
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    static const std::set<std::string> kDevices = [] {
        std::set<std::string> devices{"con", "prn", "aux", "nul", "conin$", "conout$"};
        for (const char* port : {"com", "lpt"})
            for (const char* n : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"})
                devices.insert(std::string(port) + n);
        return devices;
    }();
    return !kDevices.contains(stem);
}

std::string UrlPart(CURLU* url, CURLUPart part, unsigned flags, CURLUcode& code) {
    char* text = nullptr;
    code = curl_url_get(url, part, &text, flags);
    const std::string out = text ? text : "";
    curl_free(text);
    return out;
}

// What curl's URL parser, and a server that decodes the path and resolves dot segments,
// take the address to be.
void CheckAddress(const std::string& name) {
    const std::string address = FutureDownloads::ServerUrl(kBase, kModsPath, name);
    const auto details = [&] { return "name " + fuzz::Shown(name) + " address " + fuzz::Shown(address); };
    const std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), curl_url_cleanup);
    fuzz::Require(curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) == CURLUE_OK, "the address parses", details);
    CURLUcode code;
    const std::string path = UrlPart(url.get(), CURLUPART_PATH, 0, code);
    fuzz::Require(path == address.substr(address.find("/client")), "the path is the address's, unresolved", details);
    const std::string segment = path.substr(std::string("/client").size() + kModsPath.size());
    fuzz::Require(segment.find('/') == std::string::npos, "the name is one path segment", details);
    fuzz::Require(UrlPart(url.get(), CURLUPART_PATH, CURLU_URLDECODE, code) == "/client" + kModsPath + name,
                  "the decoded path ends with the name", details);
    fuzz::Require(name != "." && name != "..", "the decoded segment is no dot segment", details);
    UrlPart(url.get(), CURLUPART_QUERY, 0, code);
    fuzz::Require(code == CURLUE_NO_QUERY, "the name starts no query", details);
    UrlPart(url.get(), CURLUPART_FRAGMENT, 0, code);
    fuzz::Require(code == CURLUE_NO_FRAGMENT, "the name starts no fragment", details);
    fuzz::Require(UrlPart(url.get(), CURLUPART_HOST, 0, code) == "127.0.0.1", "the host stays", details);
}

void CheckClientName(const std::string& name) {
    if (!packwell::IsAdmissibleModName(name)) return;
    fuzz::Require(InsideOnLinux(name), "an accepted name is a file inside the folder on Linux", [&] { return fuzz::Shown(name); });
    fuzz::Require(InsideOnWindows(name), "an accepted name is a file inside the folder on Windows", [&] { return fuzz::Shown(name); });
    CheckAddress(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<packwell::ManifestEntry> mods;
    std::vector<std::string> deletions;
    for (int i = input.ConsumeIntegralInRange(1, 4); i > 0; --i) {
        const std::string name = input.ConsumeRandomLengthString(300);
        CheckClientName(name);
        if (!packwell::pack::IsPublishableName(name)) continue;
        fuzz::Require(packwell::IsAdmissibleModName(name), "a name the pack tool accepts the client accepts", [&] { return fuzz::Shown(name); });
        mods.push_back({name, input.ConsumeIntegralInRange<std::int64_t>(0, 0x7FFFFFFF)});
        deletions.push_back(name + (input.ConsumeBool() ? ".old" : ""));
    }
    std::erase_if(deletions, [](const std::string& name) { return !packwell::pack::IsPublishableName(name); });

    const std::string before = input.ConsumeRemainingBytesAsString();
    std::string text = packwell::ReplaceSection(before, "modlist", packwell::FormatModList(mods));
    text = packwell::ReplaceSection(text, "dellist", packwell::FormatDelList(deletions));
    const packwell::Manifest read = packwell::ReadManifest(packwell::IniData::Parse(text));
    const auto details = [&] { return "before " + fuzz::Shown(before) + "\nwritten " + fuzz::Shown(text); };
    fuzz::Require(read.modList.entries == mods, "the modlist reads back as the pack tool wrote it", details);
    fuzz::Require(read.delList.entries == deletions, "the dellist reads back as the pack tool wrote it", details);
    return 0;
}
