#include "ui/window/MainCaption.h"

namespace packwell::window {

std::string MainCaption(const std::string& gameVersion) { return "Packwell v1.2.6 - Brenvik " + gameVersion; }

}  // namespace packwell::window
