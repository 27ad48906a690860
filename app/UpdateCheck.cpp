#include "app/UpdateCheck.h"

namespace packwell::app {

// Looking for a newer version comes with the self-update; until then the program goes on.
UpdateOutcome RunUpdateCheck(const IniFile&) { return UpdateOutcome::Continue; }

}  // namespace packwell::app
