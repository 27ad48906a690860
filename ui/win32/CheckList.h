#pragma once
// The cleanup dialog's list: one line per file with a tick box, in the list's own fixed
// colours (the same in both skins). A click on a line or Space on the current one flips its tick.
#include <windows.h>

#include <vector>

#include "core/cleanup/Cleanup.h"

namespace packwell::win32 {

// `place` in the parent's pixels; `itemHeight` in pixels.
HWND CreateCheckList(HWND parent, RECT place, HFONT font, int itemHeight);
void SetCheckListItems(HWND list, const std::vector<CleanupItem>& items);
std::vector<CleanupItem> CheckListItems(HWND list);

}  // namespace packwell::win32
