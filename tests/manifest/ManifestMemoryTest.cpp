// Reading the largest manifest a client accepts: the memory it takes must stay near the size
// of the file, whatever the file is made of.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "core/manifest/Manifest.h"
#include "core/manifest/ManifestFetch.h"
#include "core/settings/IniFile.h"
#include "tests/support/TempDir.h"

namespace packwell {
namespace {

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A fresh process reads the file, so the peak is the reading's alone; its exit status says
// how many times the file's size the reading added, rounded up.
int ReadingCostInFileSizes(const std::filesystem::path& file) {
    const pid_t child = fork();
    if (child == 0) {
        const long before = PeakKiB();
        const Manifest manifest = ReadManifest(IniFile(file).Load());
        if (manifest.modList.entries.size() != 2) _exit(200);
        const long added = PeakKiB() - before;
        _exit(static_cast<int>(std::min<long>(100, added / (kMaxManifestBytes / 1024) + 1)));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 999;
}

TEST(ManifestMemory, LargestManifestOfShortLinesTakesAboutItsOwnSize) {
    test::TempDir tmp;
    std::string text = "[modlist]\r\nCount=2\r\nmod1=a.jar\r\nmod2=b.jar\r\n";
    text.resize(kMaxManifestBytes, '\n');  // millions of empty lines
    const auto file = tmp.write("Update.ini", text);
    text = std::string();
    EXPECT_LE(ReadingCostInFileSizes(file), 3);
}

}  // namespace
}  // namespace packwell
