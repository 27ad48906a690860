#include "tests/support/NginxProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace packwell::test {

std::string NginxProgram() {
    for (const char* p : {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx", "/usr/local/bin/nginx"})
        if (::access(p, X_OK) == 0) return p;
    return {};
}

std::string NginxPath(const std::filesystem::path& path) { return path.string(); }

long long StartNginx(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + program);
    return pid;
}

bool NginxEnded(long long pid) {
    int status = 0;
    return ::waitpid(static_cast<pid_t>(pid), &status, WNOHANG) == pid;
}

void StopNginx(long long pid, int, const std::filesystem::path&) {
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    int status = 0;
    ::waitpid(static_cast<pid_t>(pid), &status, 0);
}

}  // namespace packwell::test
