#pragma once
// The encoding in which this system's own readers of INI files take text beyond ASCII.
namespace platform {

// True on Windows: the profile functions read a file without a byte-order mark in the ANSI
// code page, so only UTF-16LE behind its mark reads back right there. Elsewhere UTF-8 is the
// rule and nothing else reads our files.
bool IniTextNeedsUtf16();

}  // namespace platform
