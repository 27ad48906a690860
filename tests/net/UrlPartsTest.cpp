// Addresses taken apart the same way by each system's URL parser.
#include <gtest/gtest.h>

#include "net/FutureDownloads/UrlParts.h"

using FutureDownloads::SplitUrl;

namespace {

struct SplitCase {
    const char* url;
    const char* scheme;
    const char* host;
    const char* path;
    const char* query;     // nullptr: none
    const char* fragment;  // nullptr: none
};

TEST(SplitUrl, PartsOfAbsoluteAddresses) {
    const SplitCase cases[] = {
        {"http://127.0.0.1:8080/pack/", "http", "127.0.0.1", "/pack/", nullptr, nullptr},
        {"HTTPS://packs.example", "https", "packs.example", "/", nullptr, nullptr},
        {"https://[::1]:9/x", "https", "[::1]", "/x", nullptr, nullptr},
        {"http://a/Update?x=1", "http", "a", "/Update", "x=1", nullptr},
        {"http://a/p#top", "http", "a", "/p", nullptr, "top"},
        {"http://a/p?x=1#top", "http", "a", "/p", "x=1", "top"},
    };
    for (const SplitCase& c : cases) {
        const auto parts = SplitUrl(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->scheme, c.scheme) << c.url;
        EXPECT_EQ(parts->host, c.host) << c.url;
        EXPECT_EQ(parts->path, c.path) << c.url;
        EXPECT_EQ(parts->query, c.query ? std::optional<std::string>(c.query) : std::nullopt) << c.url;
        EXPECT_EQ(parts->fragment, c.fragment ? std::optional<std::string>(c.fragment) : std::nullopt) << c.url;
    }
}

TEST(SplitUrl, NoSchemeIsNoAddress) {
    for (const char* text : {"", "packs.example", "/mods3/a.jar"}) EXPECT_FALSE(SplitUrl(text)) << text;
}

}  // namespace
