#include "app/UpdateCheck.h"

#include "app/UpdateDialogsQt.h"
#include "core/update/SelfUpdate.h"

namespace packwell::app {

UpdateOutcome RunUpdateCheck(const IniFile& manifestIni) {
    UpdateEnvironment env = UpdateEnvironment::ForThisProgram();
    env.appDataDir = manifestIni.FileName().parent_path();  // the same folder, as the start-up made it
    const auto dialogs = MakeUpdateDialogs();
    return EndsProcess(CheckForUpdate(env, *dialogs)) ? UpdateOutcome::EndProgram : UpdateOutcome::Continue;
}

}  // namespace packwell::app
