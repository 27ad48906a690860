// Turbo starts a thread per file; the files must still share a few connections, as a client
// that keeps five connections open would, rather than open one per file.
#include <set>
#include <sstream>

#include "tests/support/Nginx.h"
#include "tests/sync/SyncFixture.h"

namespace packwell::test {
namespace {

TEST_F(SyncTest, ATurboRunOfManyFilesUsesAtMostOneConnectionPerWorker) {
    if (!Nginx::Available()) GTEST_SKIP() << "nginx is not installed";
    constexpr int kFiles = 300;
    std::vector<std::string> names;
    for (int k = 1; k <= kFiles; ++k) {
        names.push_back("m" + std::to_string(k) + ".jar");
        temp.write("site/mods3/" + names.back(), std::string(4096, static_cast<char>('a' + k % 26)));
    }
    Nginx nginx(temp.root() / "site");
    paths.BaseUrl = nginx.url("");

    Run(Request(names, /*turbo=*/true));

    EXPECT_THAT(Lines().back(), ::testing::HasSubstr("(300 из 300)"));
    std::istringstream accessLog(nginx.accessLog());
    std::set<std::string> connections;
    int requests = 0;
    for (std::string line; std::getline(accessLog, line); ++requests)
        connections.insert(line.substr(0, line.find(' ')));
    EXPECT_EQ(requests, kFiles);
    EXPECT_LE(connections.size(), static_cast<std::size_t>(kWorkerSlots)) << connections.size() << " connections";
}

}  // namespace
}  // namespace packwell::test
