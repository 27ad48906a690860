#pragma once
// The server address given on the command line.
#include <optional>
#include <string>

namespace packwell::cli {

// An http or https address with a host, without a trailing "/"; nothing when unusable.
std::optional<std::string> NormaliseServerAddress(const std::string& text);

// Whether the address names this machine (localhost, 127.x.x.x, ::1): such a server needs no
// network connection.
bool IsLoopbackServer(const std::string& address);

}  // namespace packwell::cli
