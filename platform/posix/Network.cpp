#include "platform/Network.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

namespace platform {

bool HasNetworkConnection() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool connected = false;
    for (const ifaddrs* i = list; i && !connected; i = i->ifa_next) {
        if (!i->ifa_addr) continue;
        const int family = i->ifa_addr->sa_family;
        connected = (i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_RUNNING) && !(i->ifa_flags & IFF_LOOPBACK) &&
                    (family == AF_INET || family == AF_INET6);
    }
    freeifaddrs(list);
    return connected;
}

}  // namespace platform
