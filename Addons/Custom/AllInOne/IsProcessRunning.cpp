#include "Addons/Custom/AllInOne/AllInOne.h"
#include "platform/Processes.h"

namespace AllInOne {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The executable name cut to Name's length equals Name, only A-Z folded. Byte-wise on
// UTF-8 this is the same as comparing the UTF-16 prefix: equal bytes are equal characters.
bool StartsWithName(const std::string& executable, const std::string& name) {
    if (executable.size() < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (AsciiLower(executable[i]) != AsciiLower(name[i])) return false;
    return true;
}

}  // namespace

bool IsProcessRunning(const std::string& Name) {
    for (const std::string& executable : platform::RunningExecutableNames())
        if (StartsWithName(executable, Name)) return true;
    return false;
}

}  // namespace AllInOne
