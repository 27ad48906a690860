#pragma once
// The network interfaces as getifaddrs lists them, and the rule that stands in for the
// system's "connected" state.
#include <span>
#include <vector>

namespace platform {

// One entry per interface address (an interface without one has an entry of family 0).
struct InterfaceEntry {
    unsigned int flags = 0;  // IFF_UP, IFF_RUNNING, IFF_LOOPBACK, ...
    int family = 0;          // of the address: AF_INET, AF_INET6, AF_PACKET, ...; 0 without one
};

// Some interface is up and running, is not a loopback, and carries an IPv4 or IPv6 address.
bool AnyInterfaceConnected(std::span<const InterfaceEntry> entries);

// The system's list; empty when it cannot be read.
std::vector<InterfaceEntry> ListInterfaces();

}  // namespace platform
