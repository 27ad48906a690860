#pragma once
// A window's caption as the X server holds it. Apart, since Xlib's macros clash with GoogleTest.
#include <string>

namespace packwell::test {

// _NET_WM_NAME of the X window; empty when it is not set (yet), "(no display)" without a server.
std::string NetWmName(unsigned long window);

}  // namespace packwell::test
