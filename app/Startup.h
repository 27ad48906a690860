#pragma once
// From process start to the end of the message loop, in the order the program relies on.

namespace packwell::app {

// Returns the exit code: 0 on every orderly path.
int RunStartup(int& argc, char** argv);

}  // namespace packwell::app
