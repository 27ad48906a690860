#include "app/UpdateCheck.h"

#include "app/UpdateDialogs.h"
#include "core/update/SelfUpdate.h"

namespace packwell::app {

// Stays on the start-up thread: no window exists yet that could freeze, the boxes are modal
// there, and the start-up cannot go on before the answer.
UpdateOutcome RunUpdateCheck(const IniFile& manifestIni) {
    const auto dialogs = MakeUpdateDialogs();
    // The same folder, as the start-up made it.
    return StartupUpdateEndsProgram(manifestIni.FileName().parent_path(), *dialogs) ? UpdateOutcome::EndProgram
                                                                                   : UpdateOutcome::Continue;
}

}  // namespace packwell::app
