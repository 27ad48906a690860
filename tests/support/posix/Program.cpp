#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "tests/support/Program.h"

namespace packwell::test {

StartedProgram::StartedProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                               const std::filesystem::path& out, const std::filesystem::path& err) {
    std::vector<std::string> argv = {program.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid == 0) {
        ::dup2(::open("/dev/null", O_RDONLY), 0);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        std::vector<char*> pointers;
        for (auto& a : argv) pointers.push_back(a.data());
        pointers.push_back(nullptr);
        ::execv(pointers[0], pointers.data());
        _exit(127);
    }
    process_ = pid;
    waited_ = pid <= 0;
}

StartedProgram::~StartedProgram() { Wait(); }

void StartedProgram::RequestStop(Stop how) {
    if (!waited_) ::kill(static_cast<pid_t>(process_), how == Stop::Interrupt ? SIGINT : SIGTERM);
}

void StartedProgram::Kill() {
    if (!waited_) ::kill(static_cast<pid_t>(process_), SIGKILL);
}

std::optional<int> StartedProgram::Wait() {
    if (waited_) return exitCode_;
    int status = 0;
    while (::waitpid(static_cast<pid_t>(process_), &status, 0) < 0 && errno == EINTR) {
    }
    waited_ = true;
    if (WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
    return exitCode_;
}

}  // namespace packwell::test
