#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "Addons/Custom/AllInOne/EnvironmentText.h"

extern char** environ;

namespace AllInOne {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Environment names are case-blind where the references come from ("%appdata%" names
// APPDATA); the exact spelling wins when both exist.
std::optional<std::string> Lookup(std::string_view name) {
    if (name.empty()) return std::nullopt;
    if (const char* exact = std::getenv(std::string(name).c_str())) return std::string(exact);
    for (char** entry = environ; entry && *entry; ++entry) {
        const char* eq = std::strchr(*entry, '=');
        if (eq && EqualsIgnoringAsciiCase(std::string_view(*entry, static_cast<std::size_t>(eq - *entry)), name))
            return std::string(eq + 1);
    }
    return std::nullopt;
}

}  // namespace

std::string ExpandEnvironmentReferences(const std::string& Text) {
    std::string result;
    std::size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] == '%') {
            const std::size_t close = Text.find('%', i + 1);
            if (close != std::string::npos) {
                if (auto value = Lookup(std::string_view(Text).substr(i + 1, close - i - 1))) {
                    result += *value;
                    i = close + 1;
                    continue;
                }
            }
            // Unknown or unclosed: the "%" stays, and the closing one may open a reference.
        }
        result += Text[i++];
    }
    return result;
}

}  // namespace AllInOne
