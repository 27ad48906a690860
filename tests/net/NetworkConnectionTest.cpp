// The rule that stands in for the system's "connected" state, over lists of interfaces: the
// Linux side only (Windows asks the system itself).
#ifndef _WIN32
#include <gtest/gtest.h>
#include <net/if.h>
#include <sys/socket.h>

#include <vector>

#include "platform/posix/NetworkInterfaces.h"

namespace {

using platform::InterfaceEntry;

constexpr unsigned int kLive = IFF_UP | IFF_RUNNING;

TEST(NetworkConnection, NeedsALiveInterfaceOtherThanLoopbackWithAnIpAddress) {
    const struct {
        const char* what;
        std::vector<InterfaceEntry> entries;
        bool connected;
    } cases[] = {
        {"no interface", {}, false},
        {"loopback only", {{kLive | IFF_LOOPBACK, AF_INET}, {kLive | IFF_LOOPBACK, AF_INET6}}, false},
        {"cable with IPv4", {{kLive, AF_INET}}, true},
        {"cable with IPv6 only", {{kLive, AF_INET6}}, true},
        {"link without an IP address", {{kLive, AF_PACKET}}, false},
        {"interface without any address", {{kLive, 0}}, false},
        {"configured but down", {{IFF_RUNNING, AF_INET}}, false},
        {"up without a carrier", {{IFF_UP, AF_INET}}, false},
        {"loopback and a link first, then wifi with IPv6",
         {{kLive | IFF_LOOPBACK, AF_INET}, {kLive, AF_PACKET}, {IFF_UP, AF_INET}, {kLive, AF_INET6}},
         true},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::AnyInterfaceConnected(c.entries), c.connected) << c.what;
}

// The list the system gives holds the loopback interface that every test server uses.
TEST(NetworkConnection, TheSystemListHoldsTheLoopback) {
    bool loopback = false;
    for (const InterfaceEntry& e : platform::ListInterfaces())
        loopback = loopback || ((e.flags & IFF_LOOPBACK) && e.family == AF_INET);
    EXPECT_TRUE(loopback);
}

}  // namespace
#endif
