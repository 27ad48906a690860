#include <gtest/gtest.h>

#include "core/log/VisibleText.h"

namespace packwell {
namespace {

struct VisibleCase {
    const char* what;
    std::string text;
    std::string shown;
};

TEST(VisibleText, EscapesControlsAndBrokenUtf8Only) {
    const VisibleCase cases[] = {
        {"plain", "Мод [1.12.2] (v2) ~ 100%.jar", "Мод [1.12.2] (v2) ~ 100%.jar"},
        {"emoji", "\xF0\x9F\x98\x80.jar", "\xF0\x9F\x98\x80.jar"},
        {"terminal title", "\x1B]0;pwned\x07" "a.jar", "\\x1B]0;pwned\\x07a.jar"},
        {"clear screen", "a\x1B[2J", "a\\x1B[2J"},
        {"line breaks and tab", "a\r\nb\tc", "a\\x0D\\x0Ab\\x09c"},
        {"NUL", std::string("a\0b", 3), "a\\x00b"},
        {"DEL", "a\x7F", "a\\x7F"},
        {"C1 CSI as UTF-8", "a\xC2\x9B" "2J", "a\\xC2\\x9B2J"},
        {"first printable after C1", "\xC2\xA0", "\xC2\xA0"},
        {"stray byte", "a\xFFz", "a\\xFFz"},
        {"cut sequence at the end", "a\xD0", "a\\xD0"},
        {"cut sequence before ASCII", "\xE2\x82z", "\\xE2\\x82z"},
        {"overlong slash", "\xC0\xAF", "\\xC0\\xAF"},
        {"surrogate half", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(VisibleText(c.text), c.shown) << c.what;
}

}  // namespace
}  // namespace packwell
