#pragma once
// From process start to the end of the message loop, in the order the program relies on.

namespace packwell::app {

// Returns the exit code: 0 on every orderly path.
int RunStartup(int& argc, char** argv);

// The sequence once the application object exists: single-instance guard, data folder,
// update check, windows, message loop. An error that escapes it (the data folder's path too
// long, say) is shown in the standard error box and ends the program with exit code 1.
int StartProgram();

}  // namespace packwell::app
