#include <gtest/gtest.h>

#include "net/FutureDownloads/FutureDownloads.h"

using FutureDownloads::ServerUrl;

namespace {

struct UrlCase {
    const char* name;
    const char* expected;
};

TEST(ServerUrl, EncodesWhatCannotStandInAPath) {
    const UrlCase cases[] = {
        {"plain-1.12.2_mod.jar", "plain-1.12.2_mod.jar"},
        {"[1.12.2] Mod Name.jar", "%5B1.12.2%5D%20Mod%20Name.jar"},
        {"Мод.jar", "%D0%9C%D0%BE%D0%B4.jar"},
        {"a#b.jar", "a%23b.jar"},
        {"a?b=1.jar", "a%3Fb=1.jar"},
        {"100%.jar", "100%25.jar"},
        {"a+b.jar", "a%2Bb.jar"},
        {"sub/../x.jar", "sub%2F..%2Fx.jar"},
        {"back\\slash.jar", "back%5Cslash.jar"},
        {"(ok)!~'.jar", "(ok)!~'.jar"},
    };
    for (const UrlCase& c : cases)
        EXPECT_EQ(ServerUrl("https://h.example/client", "/mods3/", c.name),
                  std::string("https://h.example/client/mods3/") + c.expected)
            << c.name;
}

TEST(ServerUrl, BaseAndPathStayAsGiven) {
    EXPECT_EQ(ServerUrl("http://127.0.0.1:8080/a b", "/", "forge-1.12.2-14.23.2.2629-installer-win.exe"),
              "http://127.0.0.1:8080/a b/forge-1.12.2-14.23.2.2629-installer-win.exe");
    EXPECT_EQ(ServerUrl("https://h.example", "/Update", ""), "https://h.example/Update");
}

}  // namespace
