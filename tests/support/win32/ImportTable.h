#pragma once
// Tests on Windows watch the system calls of their own program by replacing its import table
// entries (what the program's calls into a system library go through) with recording stand-ins.
#include <windows.h>

namespace packwell::test {

// Points the entry at the stand-in and keeps the system's function in `original`.
template <typename Function>
void ReplaceImport(Function& entry, Function standIn, Function& original) {
    DWORD old = 0;
    VirtualProtect(&entry, sizeof entry, PAGE_READWRITE, &old);
    original = entry;
    entry = standIn;
    VirtualProtect(&entry, sizeof entry, old, &old);
}

}  // namespace packwell::test
