#include "platform/Console.h"

#include <windows.h>

#include <cstdio>

namespace platform {

Utf8Console::Utf8Console() : previousCodePage_(GetConsoleOutputCP()) {
    // Zero: no console (output redirected, or started detached); nothing to set or give back.
    if (previousCodePage_ != 0) SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
    std::fflush(nullptr);  // text still buffered goes out while the console reads UTF-8
    if (previousCodePage_ != 0) SetConsoleOutputCP(previousCodePage_);
}

}  // namespace platform
