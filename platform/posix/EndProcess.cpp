#include "platform/EndProcess.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <thread>

namespace platform {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kAfterKill = std::chrono::milliseconds(1000);

}  // namespace

bool ProcessAlive(int pid) {
    if (pid <= 0) return false;
    if (kill(pid, 0) != 0 && errno == ESRCH) return false;
    // A zombie has ended; only its parent has not collected it yet.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return true;
    char state = line[close + 2];
    return state != 'Z' && state != 'X';
}

bool WaitForProcessEnd(int pid, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (ProcessAlive(pid)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

bool EndProcess(int pid, std::chrono::milliseconds grace) {
    if (!ProcessAlive(pid)) return true;
    kill(pid, SIGTERM);
    if (WaitForProcessEnd(pid, grace)) return true;
    kill(pid, SIGKILL);
    return WaitForProcessEnd(pid, kAfterKill);
}

}  // namespace platform
