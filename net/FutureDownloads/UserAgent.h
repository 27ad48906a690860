#pragma once
#include <string>

namespace FutureDownloads::detail {

// The name the program introduces itself with: its own executable file name.
const std::string& UserAgent();

}  // namespace FutureDownloads::detail
