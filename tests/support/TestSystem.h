#pragma once
// What the test support needs from the system and differs between Linux and Windows.
#include <filesystem>
#include <optional>
#include <string>

namespace packwell::test {

// A new, empty folder under the system's temporary folder, its name starting with prefix.
std::filesystem::path MakeTempFolder(const std::string& prefix);

// The process environment as the program reads it (wide on Windows), as UTF-8.
std::optional<std::string> GetEnv(const std::string& name);
// Sets (or, with nullopt, removes) a variable for this process and the programs it starts.
void SetEnv(const std::string& name, const std::optional<std::string>& value);

// A TCP port on 127.0.0.1 that nobody listens on right now.
int FreeLoopbackPort();
// Whether something accepts connections on 127.0.0.1:port.
bool LoopbackPortAnswers(int port);

}  // namespace packwell::test
