#include "app/UpdateCheck.h"

#include "app/UpdateDialogsQt.h"
#include "core/update/SelfUpdate.h"

namespace packwell::app {

// Stays on the start-up thread: no window exists yet that could freeze, the boxes are modal
// there, and the start-up cannot go on before the answer.
UpdateOutcome RunUpdateCheck(const IniFile& manifestIni) {
    UpdateEnvironment env = UpdateEnvironment::ForThisProgram();
    env.appDataDir = manifestIni.FileName().parent_path();  // the same folder, as the start-up made it
    const auto dialogs = MakeUpdateDialogs();
    return EndsProcess(CheckForUpdate(env, *dialogs)) ? UpdateOutcome::EndProgram : UpdateOutcome::Continue;
}

}  // namespace packwell::app
