// Reading the largest manifest a client accepts: the memory it takes must stay near the size
// of the file, whatever the file is made of.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/manifest/Manifest.h"
#include "core/manifest/ManifestFetch.h"
#include "core/settings/IniFile.h"
#include "core/Utf8Path.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace packwell {
namespace {

long PeakKiB() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// In a fresh process: how many times the file's size the reading added, rounded up.
int ReadAndMeasure(const std::filesystem::path& file) {
    const long before = PeakKiB();
    const Manifest manifest = ReadManifest(IniFile(file).Load());
    if (manifest.modList.entries.size() != 2) return 200;
    const long added = PeakKiB() - before;
    return static_cast<int>(std::min<long>(100, added / (kMaxManifestBytes / 1024) + 1));
}

// Set in the fresh process that Windows starts: the file it reads.
constexpr const char* kChildFile = "PACKWELL_MANIFEST_MEMORY_FILE";

// A fresh process reads the file, so the peak is the reading's alone; its exit status says
// what ReadAndMeasure found.
int ReadingCostInFileSizes(const std::filesystem::path& file) {
#ifdef _WIN32
    // No fork: this test program starts again with only this test, which then reads the file.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    test::SetEnv(kChildFile, Utf8FromPath(file));
    const std::filesystem::path folder = file.parent_path();
    const std::optional<int> status =
        test::RunProgram(self, {"--gtest_filter=ManifestMemory.*"}, folder).exitCode;
    test::SetEnv(kChildFile, std::nullopt);
    return status.value_or(999);
#else
    const pid_t child = fork();
    if (child == 0) _exit(ReadAndMeasure(file));
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 999;
#endif
}

TEST(ManifestMemory, LargestManifestOfShortLinesTakesAboutItsOwnSize) {
    if (const std::optional<std::string> file = test::GetEnv(kChildFile)) std::_Exit(ReadAndMeasure(PathFromUtf8(*file)));
    test::TempDir tmp;
    std::string text = "[modlist]\r\nCount=2\r\nmod1=a.jar\r\nmod2=b.jar\r\n";
    text.resize(kMaxManifestBytes, '\n');  // millions of empty lines
    const auto file = tmp.write("Update.ini", text);
    text = std::string();
    EXPECT_LE(ReadingCostInFileSizes(file), 3);
}

}  // namespace
}  // namespace packwell
