#pragma once
// The console shows the program's text as it writes it: UTF-8.
#include <memory>

namespace platform {

// While it lives, UTF-8 written to std::cout and std::cerr reads right in a console. Windows:
// a stream that is a console is written wide (WriteConsoleW), which no code page setting can
// spoil; one sent to a file or a pipe stays the same UTF-8 bytes. Elsewhere the terminal takes
// UTF-8 as it is.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

}  // namespace platform
