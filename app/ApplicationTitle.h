#pragma once
// The application's title "Brenvik Update".

namespace packwell::app {

// Names the program on the desktop (task bar, window class, the standard error box's caption)
// without being added to every window's caption, which Qt does with a display name.
void SetApplicationTitle();

}  // namespace packwell::app
