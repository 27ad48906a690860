#include "platform/Console.h"

#include <windows.h>

#include <iostream>

#include "platform/win32/WideConsoleBuffer.h"

namespace platform {
namespace {

// A console stream, written wide; a file or a pipe is left to take the bytes as they are.
class ConsoleStream {
public:
    ConsoleStream(std::ostream& stream, DWORD which) : stream_(stream) {
        const HANDLE console = GetStdHandle(which);
        DWORD mode = 0;
        if (console == INVALID_HANDLE_VALUE || !console || !GetConsoleMode(console, &mode)) return;
        stream_.flush();
        buffer_ = std::make_unique<WideConsoleBuffer>([console](std::wstring_view text) {
            DWORD written = 0;
            WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        });
        previous_ = stream_.rdbuf(buffer_.get());
    }
    ~ConsoleStream() {
        if (!buffer_) return;
        stream_.flush();
        stream_.rdbuf(previous_);
    }

private:
    std::ostream& stream_;
    std::unique_ptr<WideConsoleBuffer> buffer_;
    std::streambuf* previous_ = nullptr;
};

}  // namespace

struct Utf8Console::Streams {
    ConsoleStream out{std::cout, STD_OUTPUT_HANDLE};
    ConsoleStream err{std::cerr, STD_ERROR_HANDLE};
};

Utf8Console::Utf8Console() : streams_(std::make_unique<Streams>()) {}
Utf8Console::~Utf8Console() = default;

}  // namespace platform
