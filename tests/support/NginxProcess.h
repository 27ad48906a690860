#pragma once
// Starting and stopping the nginx program for tests/support/Nginx: a child process on Linux,
// the host's nginx started through Wine on Windows.
#include <filesystem>
#include <string>
#include <vector>

namespace packwell::test {

// The nginx program to start, empty when none is installed.
std::string NginxProgram();
// A path as nginx reads it in its configuration and arguments.
std::string NginxPath(const std::filesystem::path& path);
// Starts nginx with the arguments and returns its process id; throws std::runtime_error.
long long StartNginx(const std::string& program, const std::vector<std::string>& args);
// Whether the nginx started as pid has ended already (false when that cannot be known).
bool NginxEnded(long long pid);
// Ends it and waits until it is gone (its port closed where its end cannot be awaited).
// pidFile is where nginx wrote its own id.
void StopNginx(long long pid, int port, const std::filesystem::path& pidFile);

}  // namespace packwell::test
