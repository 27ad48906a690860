#pragma once
// The program under test started from its own folder, as a player starts it, and the processes
// that run from that folder afterwards.
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace packwell::test {

// Waits until `done` holds, up to twenty seconds.
inline bool WaitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// While the result lives, the programs started get a screen nobody sees: Qt's offscreen
// platform on Linux, Wine's null graphics driver on Windows.
std::shared_ptr<void> HiddenScreen();

// Starts folder/name with the folder as its current directory and waits for it to end (its
// output goes to `output` where it has any); its exit code, or -1.
int RunProgramIn(const std::filesystem::path& folder, const std::string& name, const std::filesystem::path& output);

// The program files of the processes running from `folder` (also one deleted since it started).
std::vector<std::filesystem::path> ProgramsRunningFrom(const std::filesystem::path& folder);

// Asks every such process to end and waits for it; forces those that stay (then false).
bool EndProgramsRunningFrom(const std::filesystem::path& folder);

// Whether a copy of the program has come up with its windows, past the update check; `tmp` is
// the temporary folder its environment names.
bool ProgramWindowsAreUp(const std::filesystem::path& tmp);

}  // namespace packwell::test
