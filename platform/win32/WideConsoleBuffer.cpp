#include "platform/win32/WideConsoleBuffer.h"

#include "platform/win32/WideText.h"

namespace platform {
namespace {

constexpr std::size_t kHeld = 4096;  // a line at most waits for its end, or this much

// Where the last character starts when its bytes are not all there yet; text.size() otherwise.
std::size_t WholeCharactersEnd(std::string_view text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto c = static_cast<unsigned char>(text[size - back]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

}  // namespace

WideConsoleBuffer::int_type WideConsoleBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    xsputn(&ch, 1);
    return c;
}

std::streamsize WideConsoleBuffer::xsputn(const char* s, std::streamsize n) {
    const std::string_view text(s, static_cast<std::size_t>(n));
    pending_ += text;
    // A line shows when it ends, and a progress line that only returns to its start as well.
    if (text.find_first_of("\r\n") != std::string_view::npos || pending_.size() >= kHeld) Send(false);
    return n;
}

int WideConsoleBuffer::sync() {
    Send(false);
    return 0;
}

void WideConsoleBuffer::Send(bool all) {
    const std::size_t end = all ? pending_.size() : WholeCharactersEnd(pending_);
    if (end == 0) return;
    sink_(Widen(std::string_view(pending_).substr(0, end)));
    pending_.erase(0, end);
}

}  // namespace platform
