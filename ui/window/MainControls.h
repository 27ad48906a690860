#pragma once
// Where the main window's groups sit at 96 dots per inch, in the client area's coordinates:
// both windows place them here, and the layouts follow from their edges.
#include "core/cleanup/CleanupGeometry.h"

namespace packwell::window {

inline constexpr WindowRect kFolderGroup{8, 0, 385, 97};    // "Путь к папке с игрой"
inline constexpr WindowRect kActionsGroup{8, 97, 385, 161};  // "Действия"
inline constexpr WindowRect kStatusGroup{400, 0, 417, 258};  // "Статус"

}  // namespace packwell::window
