#pragma once
// %name% references replaced by environment values, the way this system does it.
#include <string>

namespace AllInOne {

// Unknown or unclosed references stay as they are; names are compared without regard to
// ASCII case. UTF-8 in and out (the environment is read wide on Windows).
std::string ExpandEnvironmentReferences(const std::string& text);

}  // namespace AllInOne
