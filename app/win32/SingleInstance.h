#pragma once
// One Packwell per user: a copy started later raises the running copy's main window and ends.
namespace packwell::app::win32 {

// When a top-level window of className exists, it is restored if minimised and brought to the
// front, and true comes back: the caller then ends with exit code 0. False when none exists.
bool ActivateRunningInstance(const wchar_t* className);

}  // namespace packwell::app::win32
