#include "platform/Processes.h"

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <string_view>
#include <system_error>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace platform {
namespace {

bool IsProcessId(const char* name) {
    if (!*name) return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9') return false;
    return true;
}

// The file name of /proc/<pid>/exe; the kernel marks a replaced or removed executable
// with " (deleted)", which is not part of its name.
std::string ExeFileName(const std::string& pidDir) {
    std::error_code ec;
    std::string target = fs::read_symlink(pidDir + "/exe", ec).string();
    if (ec || target.empty()) return {};
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.ends_with(deleted)) target.resize(target.size() - deleted.size());
    return fs::path(target).filename().string();
}

// Another user's process hides its executable; its short command name is still public.
std::string CommandName(const std::string& pidDir) {
    std::ifstream in(pidDir + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

}  // namespace

std::vector<std::string> RunningExecutableNames() {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
    if (!proc) return names;
    while (const dirent* entry = readdir(proc.get())) {
        if (!IsProcessId(entry->d_name)) continue;
        const std::string pidDir = std::string("/proc/") + entry->d_name;
        std::string name = ExeFileName(pidDir);
        if (name.empty()) name = CommandName(pidDir);
        if (!name.empty()) names.push_back(std::move(name));  // empty: it ended meanwhile
    }
    return names;
}

void SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) throw std::system_error(EINVAL, std::generic_category(), "no program to start");

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Own session: the program outlives this one and a closing terminal does not reach it.
    // Signals this process ignores or blocks (Qt ignores SIGPIPE) are not passed on.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    // No handles are inherited beyond the standard three.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args.front(), &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) throw std::system_error(rc, std::generic_category(), "cannot start " + argv.front());

    // Waits for this one child only, so other code's waitpid calls are not disturbed. The
    // program has started either way: without a thread it is only collected at our exit.
    try {
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
    }
}

fs::path OwnExecutablePath() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw std::system_error(ec, "cannot find the program's own file");
    return self;
}

std::optional<std::string> ShortFileName(const std::filesystem::path&) { return std::nullopt; }

}  // namespace platform
