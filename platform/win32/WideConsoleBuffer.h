#pragma once
// A stream buffer that takes UTF-8 and hands it on as UTF-16, whole characters only: a character
// split over two writes waits for its rest, so a console never shows half of one.
#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

namespace platform {

class WideConsoleBuffer : public std::streambuf {
public:
    using Sink = std::function<void(std::wstring_view)>;
    explicit WideConsoleBuffer(Sink sink) : sink_(std::move(sink)) {}
    ~WideConsoleBuffer() override { Send(true); }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    // Hands on every whole character held; `all` also the bytes of an unfinished one (as U+FFFD).
    void Send(bool all);

    Sink sink_;
    std::string pending_;
};

}  // namespace platform
