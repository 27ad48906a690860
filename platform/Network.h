#pragma once
// Whether the system reports a network connection; no request is sent.

namespace platform {

// True when some interface is up, is not a loopback, and carries an IPv4 or IPv6 address;
// on Windows what InternetGetConnectedState says.
bool HasNetworkConnection();

}  // namespace platform
