#pragma once
// The default mode: the check, then the synchronisation run the window's button starts, with
// the same log lines; the cleanup dialog's work only with --clean.
#include <ostream>

#include "tools/packwell-sync/ExitStatus.h"
#include "tools/packwell-sync/Options.h"

namespace packwell::cli {

// InStep when every listed mod is in place afterwards, WorkToDo when one is still missing,
// CouldNotCheck when the check could not run. Log lines go to `out`; notes, the reasons files
// failed and the progress line (when `err` is a terminal) go to `err`.
ExitStatus RunSync(const Options& options, std::ostream& out, std::ostream& err, bool errIsTerminal);

}  // namespace packwell::cli
