#include "platform/posix/NetworkInterfaces.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

namespace platform {

bool AnyInterfaceConnected(std::span<const InterfaceEntry> entries) {
    for (const InterfaceEntry& e : entries) {
        const bool live = (e.flags & IFF_UP) && (e.flags & IFF_RUNNING) && !(e.flags & IFF_LOOPBACK);
        if (live && (e.family == AF_INET || e.family == AF_INET6)) return true;
    }
    return false;
}

std::vector<InterfaceEntry> ListInterfaces() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return {};
    std::vector<InterfaceEntry> entries;
    for (const ifaddrs* i = list; i; i = i->ifa_next)
        entries.push_back({i->ifa_flags, i->ifa_addr ? i->ifa_addr->sa_family : 0});
    freeifaddrs(list);
    return entries;
}

}  // namespace platform
