#include "tests/util/NamedChild.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace packwell::test {

struct NamedChild::Process {
    pid_t pid = 0;
};

NamedChild::NamedChild(const TempDir& dir, const std::string& name) : process_(std::make_unique<Process>()) {
    const std::filesystem::path exe = dir.root() / name;
    std::filesystem::copy_file("/bin/sleep", exe);
    std::string path = exe.string(), seconds = "60";
    char* argv[] = {path.data(), seconds.data(), nullptr};
    if (posix_spawn(&process_->pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) process_->pid = 0;
}

NamedChild::~NamedChild() {
    Stop();
}

bool NamedChild::Started() const { return process_->pid > 0; }

void NamedChild::Stop() {
    if (process_->pid <= 0) return;
    kill(process_->pid, SIGKILL);
    waitpid(process_->pid, nullptr, 0);
    process_->pid = 0;
}

}  // namespace packwell::test
