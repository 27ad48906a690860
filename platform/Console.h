#pragma once
// The console shows the program's text as it writes it: UTF-8.

namespace platform {

// While it lives, UTF-8 written to a console reads right there. Windows: the console's output
// code page is set to UTF-8 and given back after, since cmd.exe shares it; text sent to a file
// or a pipe is the same UTF-8 bytes either way. Elsewhere the terminal takes UTF-8 as it is.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned previousCodePage_ = 0;
};

}  // namespace platform
