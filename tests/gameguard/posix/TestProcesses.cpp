#include "TestProcesses.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace packwell::test {

namespace {

pid_t Spawn(const std::vector<std::string>& argv, posix_spawn_file_actions_t* actions) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, args[0], actions, nullptr, args.data(), environ);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv) : pid_(Spawn(argv, nullptr)) {}

Child::~Child() {
    if (collected_) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

bool Child::waitForExit(std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!collected_) {
        pid_t r = waitpid(pid_, &status_, WNOHANG);
        if (r == pid_ || (r < 0 && errno == ECHILD)) collected_ = true;
        else if (std::chrono::steady_clock::now() >= deadline) return false;
        else std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool Child::running() { return !waitForExit(std::chrono::milliseconds(0)); }

XvfbDisplay::XvfbDisplay() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    int devnull = open("/dev/null", O_WRONLY);
    posix_spawn_file_actions_adddup2(&actions, devnull, 2);
    try {
        pid_ = Spawn({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-noreset", "-screen", "0", "1024x768x24"}, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        close(fds[0]);
        close(fds[1]);
        close(devnull);
        throw std::runtime_error("Xvfb cannot be started (is the xvfb package installed?)");
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    close(devnull);
    // The server writes its display number once it accepts connections.
    std::string number;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (number.empty() || number.back() != '\n') {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buf[16];
        ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        number.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (number.empty() || number.back() != '\n') {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb did not come up");
    }
    number.pop_back();
    name_ = ":" + number;
    if (const char* old = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        oldDisplay_ = old;
    }
    setenv("DISPLAY", name_.c_str(), 1);
}

XvfbDisplay::~XvfbDisplay() {
    if (hadDisplay_) setenv("DISPLAY", oldDisplay_.c_str(), 1);
    else unsetenv("DISPLAY");
    kill(pid_, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

fs::path CopyAs(const fs::path& program, const fs::path& dir, const std::string& name) {
    fs::create_directories(dir);
    fs::path target = dir / name;
    fs::copy_file(program, target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_all, fs::perm_options::add);
    return target;
}

}  // namespace packwell::test
