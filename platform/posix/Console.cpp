#include "platform/Console.h"

namespace platform {

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace platform
