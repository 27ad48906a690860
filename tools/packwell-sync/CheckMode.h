#pragma once
// --check-only: the compatibility check with the status log printed as it grows.
#include <ostream>

#include "tools/packwell-sync/ExitStatus.h"
#include "tools/packwell-sync/Options.h"

namespace packwell::cli {

// Log lines go to `out`, errors in plain words to `err`.
ExitStatus RunCheckOnly(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace packwell::cli
