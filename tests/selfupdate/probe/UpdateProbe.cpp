// The program's update check on its own, for the end-to-end test: it reports what it does to
// the file named by PACKWELL_PROBE_LOG and answers every box with OK, which the real program
// leaves to the player.
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/SharedValues.h"
#include "core/update/SelfUpdate.h"

namespace {

void Note(const std::string& line) {
    if (const char* path = std::getenv("PACKWELL_PROBE_LOG")) std::ofstream(path, std::ios::app) << line << '\n';
}

class AnsweringDialogs : public packwell::UpdateDialogs {
public:
    bool Show(const packwell::UpdateMessage& message) override {
        Note("box " + std::to_string(static_cast<int>(message.box)) + " " + message.caption);
        return true;
    }
};

}  // namespace

int main() {
    Note("started " PROBE_VERSION);
    packwell::EnsureAppDataDir();  // the start-up's step before the check
    auto env = packwell::UpdateEnvironment::ForThisProgram();
    env.currentVersion = PROBE_VERSION;
    if (const char* url = std::getenv("PACKWELL_PROBE_BASE_URL")) env.baseUrl = url;
    env.isConnected = [] { return true; };  // a test machine may have no interface but loopback
    AnsweringDialogs dialogs;
    const auto outcome = packwell::CheckForUpdate(env, dialogs);
    Note("outcome " + std::to_string(static_cast<int>(outcome)));
    return 0;
}
