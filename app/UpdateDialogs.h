#pragma once
// The boxes the start-up's update check shows.
#include <memory>

#include "core/update/UpdateMessages.h"

namespace packwell::app {

// Alone in its own source (the Qt boxes, or the Windows message boxes), so a build of the
// program can link other boxes in its place.
std::unique_ptr<UpdateDialogs> MakeUpdateDialogs();

}  // namespace packwell::app
