#pragma once
// The self-update check of the start-up.
#include "core/settings/IniFile.h"

namespace packwell::app {

enum class UpdateOutcome {
    Continue,    // no update, or none could be looked for: the windows come up
    EndProgram,  // declined, failed, or the replacement has been started: end with exit code 0
};

UpdateOutcome RunUpdateCheck(const IniFile& manifestIni);

}  // namespace packwell::app
