#pragma once
// Child processes for tests: a private X server and programs run under a chosen name.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace packwell::test {

// A started program; killed and collected when this goes out of scope.
class Child {
public:
    explicit Child(const std::vector<std::string>& argv);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    // Collects the child if it has ended within `limit`; true when it has.
    bool waitForExit(std::chrono::milliseconds limit);
    bool running();
    // The wait status once collected (see waitpid).
    int status() const { return status_; }

private:
    pid_t pid_ = -1;
    bool collected_ = false;
    int status_ = 0;
};

// Xvfb on a display number it chooses itself (so parallel tests never collide), with
// DISPLAY pointing at it while this lives.
class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
    std::string oldDisplay_;
    bool hadDisplay_ = false;
};

// Copies `program` to `dir`/`name` (executable) so that its process carries that name.
std::filesystem::path CopyAs(const std::filesystem::path& program, const std::filesystem::path& dir,
                             const std::string& name);

}  // namespace packwell::test
