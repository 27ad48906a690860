#include "tests/selfupdate/ProgramFolder.h"

#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <optional>

#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

std::vector<pid_t> ProcessesRunningFrom(const fs::path& folder) {
    std::vector<pid_t> pids;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const fs::path exe = fs::read_symlink(entry.path() / "exe", ec);  // fails for zombies
        if (!ec && exe.string().starts_with(folder.string() + "/")) pids.push_back(std::stoi(name));
    }
    return pids;
}

}  // namespace

std::shared_ptr<void> HiddenScreen() {
    const std::optional<std::string> old = GetEnv("QT_QPA_PLATFORM");
    SetEnv("QT_QPA_PLATFORM", "offscreen");
    return std::shared_ptr<void>(nullptr, [old](void*) { SetEnv("QT_QPA_PLATFORM", old); });
}

int RunProgramIn(const fs::path& folder, const std::string& name, const fs::path& output) {
    const std::string command =
        "cd '" + folder.string() + "' && './" + name + "' >'" + output.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<fs::path> ProgramsRunningFrom(const fs::path& folder) {
    std::vector<fs::path> programs;
    std::error_code ec;
    for (const pid_t pid : ProcessesRunningFrom(folder)) {
        const fs::path exe = fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec);
        if (!ec) programs.push_back(exe);
    }
    return programs;
}

bool EndProgramsRunningFrom(const fs::path& folder) {
    for (const pid_t pid : ProcessesRunningFrom(folder)) kill(pid, SIGTERM);
    if (WaitFor([&] { return ProcessesRunningFrom(folder).empty(); })) return true;
    for (const pid_t pid : ProcessesRunningFrom(folder)) kill(pid, SIGKILL);
    return false;
}

// The single-instance socket appears once the windows are up.
bool ProgramWindowsAreUp(const fs::path& tmp) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(tmp, ec))
        if (entry.path().filename().string().starts_with("TVantorCompatibility-") && fs::is_socket(entry.path()))
            return true;
    return false;
}

}  // namespace packwell::test
