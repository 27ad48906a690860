#include "platform/IniText.h"

namespace platform {

bool IniTextNeedsUtf16() { return false; }

}  // namespace platform
