// Fetching into a file against the in-process server: what counts as success, what is left on
// disk, what the bar sees.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <chrono>
#include <thread>

#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#ifdef _WIN32
#include "net/FutureDownloads/wininet/RedirectRule.h"
#include "tests/support/win32/SmallVolume.h"
#else
#include "net/FutureDownloads/curl/CurlTransfer.h"
#endif
#include "platform/Network.h"
#include "tests/net/RecordingBar.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using namespace FutureDownloads;
using packwell::test::HttpServer;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::RecordingBar;
using packwell::test::TempDir;

namespace {

std::string Pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + i % 26);
    return s;
}

// A port with nothing listening, so connecting is refused.
class RefusingPort {
public:
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    int port_ = packwell::test::FreeLoopbackPort();
};

class DownloadTest : public ::testing::Test {
protected:
    TempDir tmp;
    HttpServer server;
    fs::path dir = tmp.root() / "mods";

    void SetUp() override { fs::create_directories(dir); }

    // Nothing but the expected files: no part files, nothing half-written.
    void ExpectFolderHolds(const std::vector<std::string>& names) const { EXPECT_EQ(listDir(dir), names); }
};

TEST_F(DownloadTest, PlainBodyArrivesByteForByteWithProgramNameAsAgent) {
    const std::string body = Pattern(300000);
    server.serve("/mods3/a.jar", body);
    const DownloadResult r = Download(server.url("/mods3/a.jar"), dir / "a.jar");
    ASSERT_TRUE(r) << r.detail;
    EXPECT_EQ(r.bytes, 300000);
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(readFile(dir / "a.jar"), body);
    ExpectFolderHolds({"a.jar"});
    ASSERT_EQ(server.requestCount(), 1u);
#ifdef _WIN32
    EXPECT_EQ(server.requests()[0].userAgent, "packwell_net_tests.exe");
#else
    EXPECT_EQ(server.requests()[0].userAgent, "packwell_net_tests");
#endif
}

// Every way a fetch can fail: false, the reason, and no file (not even a part file).
struct FailureCase {
    const char* name;
    void (*setUp)(HttpServer&);
    DownloadError expected;
};

const FailureCase kFailures[] = {
    {"status 404 with marker", [](HttpServer& s) { s.serve("/f", "404: Not Found", 404); },
     DownloadError::HttpStatus},
    {"status 200 with marker in binary",
     [](HttpServer& s) { s.serve("/f", Pattern(50000) + "\x01\x02unknown domain\xff" + Pattern(50000)); },
     DownloadError::ErrorPage},
    {"marker split over two lines", [](HttpServer& s) { s.serve("/f", "<p>404: Not\r\n Found</p>"); },
     DownloadError::ErrorPage},
    {"marker split over two transfer blocks",
     [](HttpServer& s) { s.serveChunks("/f", {Pattern(1000) + "unknown do", "main" + Pattern(1000)}); },
     DownloadError::ErrorPage},
    {"status 500 with html", [](HttpServer& s) { s.serve("/f", "<html>Internal error</html>", 500); },
     DownloadError::HttpStatus},
    {"body cut off", [](HttpServer& s) { s.serveCutOff("/f", 100000, Pattern(40000)); }, DownloadError::Truncated},
    {"redirect without target", [](HttpServer& s) { s.serve("/f", "moved", 302); }, DownloadError::HttpStatus},
};

class DownloadFailure : public DownloadTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailure, IsFalseAndLeavesNoFile) {
    GetParam().setUp(server);
    RecordingBar bar;
    const DownloadResult r = Download(server.url("/f"), dir / "f.jar", {.bar = &bar});
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error, GetParam().expected) << r.detail;
    EXPECT_FALSE(DownloadFile(server.url("/f"), dir / "g.jar"));
    ExpectFolderHolds({});
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadFailure, ::testing::ValuesIn(kFailures), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

// A body checked against the SHA-256 asked for, block by block as it streams.
TEST_F(DownloadTest, HashAskedForDecidesWhetherTheBodyIsKept) {
    const std::string body = Pattern(300000);
    platform::Sha256 hash;
    hash.Update(body.data(), body.size());
    const platform::Sha256Digest right = hash.Final();
    platform::Sha256Digest wrong = right;
    wrong[31] ^= 1;
    server.serveChunks("/f", {body.substr(0, 1000), body.substr(1000)});

    const DownloadResult kept = Download(server.url("/f"), dir / "right.jar", {.sha256 = right});
    ASSERT_TRUE(kept) << kept.detail;
    EXPECT_EQ(readFile(dir / "right.jar"), body);

    const DownloadResult refused = Download(server.url("/f"), dir / "wrong.jar", {.sha256 = wrong});
    EXPECT_EQ(refused.error, DownloadError::HashMismatch) << refused.detail;
    EXPECT_FALSE(FailureText(refused).empty());
    ExpectFolderHolds({"right.jar"});  // no file, no part file

    std::unique_ptr<platform::PartFile> handed;
    const DownloadResult unpublished = Download(server.url("/f"), dir / "late.jar",
                                                {.sha256 = wrong, .publish = [&](auto file) { handed = std::move(file); }});
    EXPECT_EQ(unpublished.error, DownloadError::HashMismatch);
    EXPECT_FALSE(handed) << "a wrong body is never handed on to be named";
}

// The wait a busy server asks for reaches the caller, whichever library fetched it.
TEST_F(DownloadTest, RetryAfterOfATooManyRequestsAnswerIsReported) {
    server.serve("/f", "x");
    server.failFirst("/f", 1, HttpServer::Failure::TooMany);
    const DownloadResult r = Download(server.url("/f"), dir / "f.jar");
    EXPECT_EQ(r.httpStatus, 429);
    EXPECT_EQ(r.retryAfter, std::chrono::seconds(1));
    ExpectFolderHolds({});
}

TEST_F(DownloadTest, ByteTwentySixBeforeMarkerIsSuccess) {
    const std::string body = std::string("\x00\x01\x1a", 3) + "404: Not Found" + Pattern(10);
    server.serve("/f", body);
    EXPECT_TRUE(DownloadFile(server.url("/f"), dir / "f.bin"));
    EXPECT_EQ(readFile(dir / "f.bin"), body);
}

TEST_F(DownloadTest, UnreachableServerIsFalseWithoutFile) {
    RefusingPort refusing;
    const DownloadResult r = Download(refusing.url("/Update"), dir / "Update.ini");
    EXPECT_EQ(r.error, DownloadError::Transport) << r.detail;
    EXPECT_FALSE(DownloadFile(refusing.url("/Update"), dir / "Update.ini"));
    ExpectFolderHolds({});
}

TEST_F(DownloadTest, ExistingTargetIsLeftAloneAndNothingIsSent) {
    server.serve("/a.jar", "new");
    const fs::path target = tmp.write("mods/a.jar", "old");
    EXPECT_EQ(Download(server.url("/a.jar"), target).error, DownloadError::TargetExists);
#ifndef _WIN32
    // A dangling link counts as present too: moving onto it would replace it.
    fs::create_symlink(dir / "nowhere", dir / "link.jar");
    EXPECT_FALSE(DownloadFile(server.url("/a.jar"), dir / "link.jar"));
#endif
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST_F(DownloadTest, MissingFolderOrBareNameFailsWithoutRequest) {
    server.serve("/a.jar", "x");
    EXPECT_EQ(Download(server.url("/a.jar"), dir / "no" / "a.jar").error, DownloadError::FolderMissing);
    EXPECT_EQ(Download(server.url("/a.jar"), "a.jar").error, DownloadError::FolderMissing);
    EXPECT_FALSE(fs::exists(dir / "no"));
    EXPECT_FALSE(fs::exists(tmp.cwd() / "a.jar"));
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST_F(DownloadTest, BarRunsFromZeroToAnnouncedLength) {
    server.serve("/big", Pattern(1000000));
    RecordingBar bar;
    ASSERT_TRUE(DownloadFile(server.url("/big"), dir / "big", &bar));
    EXPECT_EQ(bar.maxima, std::vector<std::int64_t>{1000000});
    ASSERT_FALSE(bar.positions.empty());
    EXPECT_EQ(bar.positions.front(), 0);
    EXPECT_TRUE(std::is_sorted(bar.positions.begin(), bar.positions.end()));
    EXPECT_EQ(bar.position, 1000000);
    EXPECT_GE(bar.pumps, static_cast<int>(bar.positions.size()) - 1);  // at least once per block
}

// A window whose download waits on a silent server still repaints and runs its timers.
TEST_F(DownloadTest, WaitingOnASilentServerStillHandlesTheCallersEvents) {
    server.serveStall("/stall", 100000, Pattern(1000));
    std::atomic<bool> cancel{false};
    RecordingBar bar;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        cancel = true;
    });
    const DownloadResult r = Download(server.url("/stall"), dir / "s", {.bar = &bar, .cancel = &cancel});
    canceller.join();
    EXPECT_EQ(r.error, DownloadError::Cancelled) << r.detail;
    EXPECT_EQ(bar.position, 1000);
    EXPECT_GE(bar.pumps, 4) << "events are handled while no block arrives";
}

TEST_F(DownloadTest, NoAnnouncedLengthShowsBusyBarThenFull) {
    server.serveChunks("/chunked", {Pattern(7000), Pattern(5000)});
    RecordingBar bar;
    ASSERT_TRUE(DownloadFile(server.url("/chunked"), dir / "with-bar", &bar));
    EXPECT_EQ(bar.maxima, (std::vector<std::int64_t>{-1, 12000}));
    EXPECT_EQ(bar.position, 12000);
    ASSERT_TRUE(DownloadFile(server.url("/chunked"), dir / "no-bar"));
    EXPECT_EQ(fs::file_size(dir / "no-bar"), 12000u);
}

TEST_F(DownloadTest, EmptyBodyIsAnEmptyFileAndBarIsSet) {
    server.serve("/empty", "");
    RecordingBar bar;
    ASSERT_TRUE(DownloadFile(server.url("/empty"), dir / "empty", &bar));
    EXPECT_EQ(fs::file_size(dir / "empty"), 0u);
    EXPECT_EQ(bar.maxima, std::vector<std::int64_t>{0});
    EXPECT_EQ(bar.position, 0);
}

TEST_F(DownloadTest, RedirectIsFollowed) {
    server.serve("/real/a.jar", "content");
    server.serveRedirect("/a.jar", "/real/a.jar", 301);
    ASSERT_TRUE(DownloadFile(server.url("/a.jar"), dir / "a.jar"));
    EXPECT_EQ(readFile(dir / "a.jar"), "content");
}

TEST_F(DownloadTest, StalledServerIsGivenUp) {
    // Headers, then silence. (After some data libcurl needs about five seconds more: it
    // measures the speed over its last five seconds.)
    server.serveStall("/stall", 100000, "");
    const auto start = std::chrono::steady_clock::now();
    const DownloadResult r = Download(server.url("/stall"), dir / "s", {.stallTimeout = std::chrono::seconds(1)});
    EXPECT_EQ(r.error, DownloadError::Transport) << r.detail;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    ExpectFolderHolds({});
}

TEST_F(DownloadTest, CancelFromAnotherThreadEndsStalledTransfer) {
    server.serveStall("/stall", 100000, Pattern(1000));
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel = true;
    });
    const DownloadResult r = Download(server.url("/stall"), dir / "s", {.cancel = &cancel});
    canceller.join();
    EXPECT_EQ(r.error, DownloadError::Cancelled) << r.detail;
    ExpectFolderHolds({});
}

#ifndef _WIN32
// A full disk, imitated by a file-size limit (works for root too): the write error is
// reported as such and the part written so far goes away.
TEST_F(DownloadTest, DiskFullIsWriteFailedAndLeavesNothing) {
    server.serve("/a", Pattern(400000));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const DownloadResult r = Download(server.url("/a"), dir / "a");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(r.error, DownloadError::WriteFailed) << r.detail;
    ExpectFolderHolds({});
}
#else
// A full disk: a small volume of its own, filled but for 100 KB.
TEST_F(DownloadTest, DiskFullIsWriteFailedAndLeavesNothing) {
    server.serve("/a", Pattern(400000));
    const packwell::test::SmallVolume volume;
    ASSERT_TRUE(volume.ready());
    volume.leaveFree(100000);
    const DownloadResult r = Download(server.url("/a"), volume.folder() / "a");
    EXPECT_EQ(r.error, DownloadError::WriteFailed) << r.detail;
    EXPECT_EQ(listDir(volume.folder()), std::vector<std::string>{});
}
#endif

// A handler run between blocks may start another download on the same thread.
struct NestingBar : RecordingBar {
    std::function<void()> nested;
    void ProcessPendingEvents() override {
        RecordingBar::ProcessPendingEvents();
        if (nested) std::exchange(nested, nullptr)();
    }
};

TEST_F(DownloadTest, NestedDownloadOnSameThreadWorks) {
    server.serve("/outer", Pattern(500000));
    server.serve("/inner", "inner body");
    NestingBar bar;
    bool innerOk = false;
    bar.nested = [&] { innerOk = DownloadFile(server.url("/inner"), dir / "inner"); };
    ASSERT_TRUE(DownloadFile(server.url("/outer"), dir / "outer", &bar));
    EXPECT_TRUE(innerOk);
    EXPECT_EQ(readFile(dir / "outer"), Pattern(500000));
    EXPECT_EQ(readFile(dir / "inner"), "inner body");
}

// Another program (or a second copy of this one) makes the file while the body arrives: the
// finished download must not move over it.
TEST_F(DownloadTest, TargetMadeWhileTheBodyArrivesIsKept) {
    server.serve("/a.jar", Pattern(500000));
    NestingBar bar;
    bar.nested = [&] { tmp.write("mods/a.jar", "made meanwhile"); };
    const DownloadResult r = Download(server.url("/a.jar"), dir / "a.jar", {.bar = &bar});
    EXPECT_EQ(r.error, DownloadError::TargetExists) << r.detail;
    EXPECT_EQ(readFile(dir / "a.jar"), "made meanwhile");
    ExpectFolderHolds({"a.jar"});
}

// Every name a file system holds (255 bytes) must also get a part file beside it.
TEST_F(DownloadTest, LongestNamesDownload) {
    std::string cyrillic;
    for (int i = 0; i < 127; ++i) cyrillic += "Я";  // two bytes each
    for (const std::string& name : {std::string(237, 'a'), std::string(255, 'b'), cyrillic + "x"}) {
        ASSERT_LE(name.size(), 255u);
        server.serve("/mods3/" + name, "content of " + name.substr(0, 3));
        const fs::path target = dir / packwell::PathFromUtf8(name);
        const DownloadResult r = Download(ServerUrl(server.url(""), "/mods3/", name), target);
        ASSERT_TRUE(r) << name.size() << " bytes: " << r.detail;
        EXPECT_EQ(readFile(target), "content of " + name.substr(0, 3));
    }
    EXPECT_EQ(listDir(dir).size(), 3u) << "no part file may stay behind";
}

struct SizeCapCase {
    const char* what;
    void (*setUp)(HttpServer&);
    bool accepted;
};

constexpr std::int64_t kCap = 100000;
const SizeCapCase kSizeCaps[] = {
    {"exactly the cap", [](HttpServer& s) { s.serve("/f", Pattern(kCap)); }, true},
    {"one byte more, announced", [](HttpServer& s) { s.serve("/f", Pattern(kCap + 1)); }, false},
    {"one byte more, no length announced",
     [](HttpServer& s) { s.serveChunks("/f", {Pattern(kCap / 2), Pattern(kCap / 2), "x"}); }, false},
    {"announced far beyond, never sent", [](HttpServer& s) { s.serveStall("/f", std::size_t{1} << 40, "x"); }, false},
};

class DownloadSizeCap : public DownloadTest, public ::testing::WithParamInterface<SizeCapCase> {};

TEST_P(DownloadSizeCap, RefusesBodiesAboveTheCap) {
    GetParam().setUp(server);
    const DownloadResult r = Download(server.url("/f"), dir / "f", {.maxBytes = kCap});
    if (GetParam().accepted) {
        ASSERT_TRUE(r) << r.detail;
        EXPECT_EQ(fs::file_size(dir / "f"), static_cast<std::uintmax_t>(kCap));
    } else {
        EXPECT_EQ(r.error, DownloadError::TooLarge) << r.detail;
        EXPECT_LE(r.bytes, kCap);
        ExpectFolderHolds({});
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadSizeCap, ::testing::ValuesIn(kSizeCaps));

// Once on https, a redirect may not lead back to plain http, where anyone on the way could
// hand over another file.
#ifdef _WIN32
TEST(RedirectRule, HttpsNeverFallsBackToHttp) {
    EXPECT_FALSE(detail::RedirectAllowed("https://brenvik.example/Update", "http://brenvik.example/Update"));
    EXPECT_FALSE(detail::RedirectAllowed("HTTPS://brenvik.example/Update", "http://brenvik.example/Update"));
    EXPECT_TRUE(detail::RedirectAllowed("https://brenvik.example/Update", "https://mirror.example/Update"));
    EXPECT_TRUE(detail::RedirectAllowed("http://brenvik.example/Update", "https://brenvik.example/Update"));
    EXPECT_TRUE(detail::RedirectAllowed("http://brenvik.example/Update", "http://mirror.example/Update"));
    EXPECT_FALSE(detail::RedirectAllowed("http://brenvik.example/Update", "ftp://brenvik.example/Update"));
}
#else
TEST(RedirectProtocols, HttpsNeverFallsBackToHttp) {
    EXPECT_STREQ(detail::RedirectProtocols("https://brenvik.example/Update"), "https");
    EXPECT_STREQ(detail::RedirectProtocols("HTTPS://brenvik.example/Update"), "https");
    EXPECT_STREQ(detail::RedirectProtocols("http://brenvik.example/Update"), "http,https");
}
#endif

// A redirect to a scheme outside http and https is refused before any byte of the other
// place is read.
TEST_F(DownloadTest, RedirectOutsideTheAllowedSchemesIsRefused) {
    const fs::path secret = tmp.write("secret.txt", "local secret");
    server.serveRedirect("/a.jar", "file://" + secret.generic_string());
    const DownloadResult r = Download(server.url("/a.jar"), dir / "a.jar");
    EXPECT_EQ(r.error, DownloadError::Transport) << r.detail;
    ExpectFolderHolds({});
}

TEST_F(DownloadTest, ConcurrentDownloadsOnWorkerThreads) {
    constexpr int kWorkers = 5;
    constexpr int kFilesEach = 4;
    for (int i = 0; i < kWorkers * kFilesEach; ++i)
        server.serve("/mods3/m" + std::to_string(i), Pattern(20000 + i * 1000));
    server.serve("/mods3/broken", "404: Not Found", 404);
    std::vector<std::thread> workers;
    std::atomic<int> ok{0};
    std::atomic<bool> brokenRefused{false};
    for (int w = 0; w < kWorkers; ++w)
        workers.emplace_back([&, w] {
            RecordingBar bar;  // each worker drives its own bar
            for (int k = 0; k < kFilesEach; ++k) {
                const std::string name = "m" + std::to_string(w * kFilesEach + k);
                if (DownloadFile(server.url("/mods3/" + name), dir / name, &bar)) ++ok;
            }
            if (w == 0) brokenRefused = !DownloadFile(server.url("/mods3/broken"), dir / "broken", &bar);
        });
    for (auto& t : workers) t.join();
    EXPECT_EQ(ok, kWorkers * kFilesEach);
    EXPECT_TRUE(brokenRefused);
    for (int i = 0; i < kWorkers * kFilesEach; ++i)
        EXPECT_EQ(readFile(dir / ("m" + std::to_string(i))), Pattern(20000 + i * 1000)) << i;
    EXPECT_EQ(listDir(dir).size(), static_cast<std::size_t>(kWorkers * kFilesEach));
}

TEST(RemoteFileSize, AnnouncedLengthOrMinusOne) {
    HttpServer server;
    server.serve("/Update.exe", Pattern(123456));
    server.serve("/empty", "");
    server.serveChunks("/chunked", {"abc", "def"});
    server.serve("/missing", "404: Not Found", 404);
    server.serveRedirect("/moved", "/Update.exe");
    EXPECT_EQ(RemoteFileSize(server.url("/Update.exe")), 123456);
    EXPECT_EQ(RemoteFileSize(server.url("/empty")), 0);
    EXPECT_EQ(RemoteFileSize(server.url("/chunked")), -1);
    EXPECT_EQ(RemoteFileSize(server.url("/missing")), -1);
    EXPECT_EQ(RemoteFileSize(server.url("/moved")), 123456);
    RefusingPort refusing;
    EXPECT_EQ(RemoteFileSize(refusing.url("/Update.exe")), -1);
}

TEST(RemoteFileSize, LengthAboveFourGiBStaysWhole) {
    HttpServer server;
    server.serveStall("/huge", std::size_t{5} << 30, "x");
    EXPECT_EQ(RemoteFileSize(server.url("/huge")), std::int64_t{5} << 30);
}

TEST(IsInternetConnected, ProbeSeamReplacesAndRestores) {
    SetInternetConnectedProbe([] { return false; });
    EXPECT_FALSE(IsInternetConnected());
    SetInternetConnectedProbe([] { return true; });
    EXPECT_TRUE(IsInternetConnected());
    // Restoring must bring back the machine's own answer, whatever it is.
    const bool real = platform::HasNetworkConnection();
    SetInternetConnectedProbe(real ? +[] { return false; } : +[] { return true; });
    ASSERT_NE(IsInternetConnected(), real);
    SetInternetConnectedProbe(nullptr);
    EXPECT_EQ(IsInternetConnected(), real);
}

}  // namespace
