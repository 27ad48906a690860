// A download that breaks off keeps its bytes for the next attempt, which asks only for the
// rest; whatever the server or the disk does meanwhile, the file ends byte for byte the
// server's, never old and new bytes mixed.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/PartFile.h"
#include "platform/ResumeRecord.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace FutureDownloads;
using packwell::test::HttpServer;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::sampleBytes;
using packwell::test::TempDir;

namespace {

platform::Sha256Digest HashOf(const std::string& text) {
    platform::Sha256 hash;
    hash.Update(text.data(), text.size());
    return hash.Final();
}

constexpr std::size_t kSize = 300000;

class Resume : public ::testing::Test {
protected:
    TempDir tmp;
    HttpServer server;
    fs::path dir = tmp.root() / "mods";
    fs::path target = dir / "m.jar";
    std::string body = sampleBytes(kSize, 'a');

    void SetUp() override { fs::create_directories(dir); }

    DownloadResult Fetch(const std::optional<std::string>& hashOf = std::nullopt) {
        DownloadOptions options{.stallTimeout = std::chrono::seconds(5), .resume = true};
        if (hashOf) options.sha256 = HashOf(*hashOf);
        return Download(server.url("/m.jar"), target, options);
    }

    // The first attempt breaks off after `cut` bytes of version v1.
    void CutAt(std::size_t cut, const std::optional<std::string>& hashOf = std::nullopt) {
        server.serveCutOff("/m.jar", body.size(), body.substr(0, cut), "\"v1\"");
        const DownloadResult first = Fetch(hashOf);
        ASSERT_EQ(first.error, DownloadError::Truncated) << first.detail;
        ASSERT_FALSE(fs::exists(target));
    }

    fs::path KeptPart() const { return dir / platform::KeptPartFileName("m.jar"); }

    HttpServer::Request LastRequest() const { return server.requests().back(); }
};

struct Cut {
    const char* name;
    std::size_t at;
    bool hashed;
};

class ResumeAfterCut : public Resume, public ::testing::WithParamInterface<Cut> {};

const Cut kCuts[] = {
    {"nothing", 0, false},        {"one_byte", 1, false},        {"middle", kSize / 2, false},
    {"one_short", kSize - 1, false}, {"nothing_hashed", 0, true},  {"one_byte_hashed", 1, true},
    {"middle_hashed", kSize / 2, true}, {"one_short_hashed", kSize - 1, true},
};

TEST_P(ResumeAfterCut, AsksForTheRestAndEndsWithTheWholeFile) {
    const Cut cut = GetParam();
    const std::optional<std::string> hashOf = cut.hashed ? std::optional(body) : std::nullopt;
    CutAt(cut.at, hashOf);
    server.serveFile("/m.jar", body, "\"v1\"");

    const DownloadResult second = Fetch(hashOf);
    ASSERT_TRUE(second) << second.detail;
    EXPECT_EQ(second.bytes, static_cast<std::int64_t>(kSize));
    EXPECT_TRUE(readFile(target) == body);
    const auto asked = LastRequest();
    if (cut.at == 0) {
        EXPECT_EQ(asked.range, "") << "nothing kept, nothing to continue";
    } else {
        EXPECT_EQ(asked.range, "bytes=" + std::to_string(cut.at) + "-");
        EXPECT_EQ(asked.ifRange, "\"v1\"");
    }
    EXPECT_EQ(listDir(dir), std::vector<std::string>{"m.jar"}) << "neither part file nor record is left";
}

INSTANTIATE_TEST_SUITE_P(Cases, ResumeAfterCut, ::testing::ValuesIn(kCuts),
                         [](const auto& info) { return std::string(info.param.name); });

// The server cannot continue (no Range support) or the file is another by now: the whole new
// body comes and nothing of the kept bytes stays, with or without a hash.
TEST_F(Resume, ServerThatCannotContinueOrAChangedFileStartsFromZero) {
    const std::string changed = sampleBytes(kSize + 7, 'K');
    struct Case {
        const char* name;
        bool ranges;
        std::string etag;
        std::string served;
        bool hashed;
    };
    const Case cases[] = {
        {"no ranges", false, "\"v1\"", body, false},
        {"no ranges, hashed", false, "\"v1\"", body, true},
        {"changed", true, "\"v2\"", changed, false},
        {"changed, hashed", true, "\"v2\"", changed, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(target);
        CutAt(kSize / 2, c.hashed ? std::optional(c.served) : std::nullopt);
        server.serveFile("/m.jar", c.served, c.etag, c.ranges);
        const DownloadResult second = Fetch(c.hashed ? std::optional(c.served) : std::nullopt);
        ASSERT_TRUE(second) << second.detail;
        EXPECT_EQ(LastRequest().range, "bytes=" + std::to_string(kSize / 2) + "-") << "it did ask";
        EXPECT_TRUE(readFile(target) == c.served);
        EXPECT_EQ(listDir(dir), std::vector<std::string>{"m.jar"});
    }
}

// After a power cut the bytes past the last synced length may be anything. Without a hash only
// the recorded length is continued; with one the whole part is, and a wrong whole starts over.
TEST_F(Resume, BytesNotVouchedForAreNeverContinuedUnchecked) {
    for (const bool hashed : {false, true}) {
        SCOPED_TRACE(hashed ? "hashed" : "not hashed");
        fs::remove(target);
        const std::optional<std::string> hashOf = hashed ? std::optional(body) : std::nullopt;
        CutAt(1000, hashOf);
        {
            std::ofstream garbage(KeptPart(), std::ios::binary | std::ios::app);
            garbage << std::string(5000, '\0');  // what a power cut may leave past the synced bytes
        }
        server.serveFile("/m.jar", body, "\"v1\"");
        const DownloadResult second = Fetch(hashOf);
        ASSERT_TRUE(second) << second.detail;
        EXPECT_TRUE(readFile(target) == body);
        // Hashed, the whole part was continued, failed its hash, and the file came again from zero.
        EXPECT_EQ(LastRequest().range, hashed ? "" : "bytes=1000-");
    }
}

// A body without a validator could never be asked for again safely, and one that failed for
// good (an error page, here in place of a kept start) takes the kept bytes with it.
TEST_F(Resume, NothingIsKeptThatCouldNotBeContinued) {
    server.serveCutOff("/m.jar", body.size(), body.substr(0, 5000));  // no ETag
    EXPECT_EQ(Fetch().error, DownloadError::Truncated);
    EXPECT_TRUE(listDir(dir).empty());
    CutAt(5000);
    ASSERT_EQ(listDir(dir).size(), 2u) << "the kept part and its record";
    server.serve("/m.jar", "<p>404: Not Found</p>", 200);
    EXPECT_EQ(Fetch().error, DownloadError::ErrorPage);
    EXPECT_TRUE(listDir(dir).empty());
}

// Two downloads of one mod at once never share the kept part file: the second writes a fresh
// one of its own.
TEST_F(Resume, OneWriterPerKeptPartFile) {
    platform::PartFile first(target, platform::PartFile::Mode::Resumable);
    platform::PartFile second(target, platform::PartFile::Mode::Resumable);
    ASSERT_TRUE(first.IsOpen() && second.IsOpen());
    EXPECT_TRUE(first.IsResumable());
    EXPECT_FALSE(second.IsResumable());
    EXPECT_NE(first.Path(), second.Path());
}

}  // namespace
