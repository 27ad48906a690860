#include "platform/Console.h"

namespace platform {

struct Utf8Console::Streams {};

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace platform
