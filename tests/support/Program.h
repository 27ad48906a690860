#pragma once
// A built program started by a test as a player would start it from a console: arguments as
// UTF-8, standard output and error into files, no input.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace packwell::test {

class StartedProgram {
public:
    StartedProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::filesystem::path& out, const std::filesystem::path& err);
    ~StartedProgram();  // waits for the program
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    enum class Stop { Interrupt, Terminate };
    // POSIX: SIGINT or SIGTERM. Windows: Ctrl+C on the console the program shares with the test
    // (the test's own handler passes it over).
    void RequestStop(Stop how);
    // Ends the program at once, with no chance to clean up: SIGKILL, or TerminateProcess.
    void Kill();
    // The exit code; nullopt when a signal ended the program instead.
    std::optional<int> Wait();

private:
    long long process_ = 0;  // a process id, or a Windows process handle
    bool waited_ = false;
    std::optional<int> exitCode_;
};

struct ProgramOutput {
    std::optional<int> exitCode;
    std::string out;
    std::string err;
};

// Runs the program to its end; its output files go into folder.
ProgramOutput RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& folder);

}  // namespace packwell::test
