#pragma once
// Waiting inside a handler while the window keeps handling its messages (a layout that must
// reach its height, a program being fetched). The end of the program (WM_QUIT) ends every wait
// and is handed on to the outer loop.
#include <functional>

namespace packwell::win32 {

// Handles the messages pending now (a bounded number of them); false once the program is ending.
bool HandlePendingMessages();
// Handles messages as they come until `done` holds or the program is ending.
void HandleMessagesUntil(const std::function<bool()>& done);

}  // namespace packwell::win32
