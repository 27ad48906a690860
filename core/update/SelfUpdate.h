#pragma once
// The update check of the start-up: compare the program's version with the server's
// announcement and, when they differ, fetch the new program and hand the exchange over.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/update/ExchangeReadiness.h"
#include "core/update/UpdateMessages.h"

namespace packwell {

struct UpdateEnvironment {
    std::string currentVersion;
    std::string baseUrl;                  // no trailing "/"
    std::filesystem::path appDataDir;     // holds Update.ini; the download lands here first
    std::filesystem::path programPath;    // the running program's file
    std::function<bool()> isConnected;    // whether the system reports a connection
    // Swaps the programs once this one has ended; the real one ends the process itself.
    std::function<void(const std::string& newName, const std::string& tempName)> exchange;
    // What would stop the exchange from completing, asked before the question; none when empty.
    std::function<ExchangeBlock(const std::string& newName)> exchangeBlock;

    // This program: the built-in version and address, the data folder, its own file, the
    // system's connection state and the exchange script.
    static UpdateEnvironment ForThisProgram();
};

enum class UpdateOutcome {
    NoConnection,  // the warning was shown; the start-up goes on
    UpToDate,      // nothing shown; the start-up goes on
    Blocked,       // the update cannot complete here: said once, and the start-up goes on
    Declined,      // Cancel: the process ends, exit code 0
    Failed,        // the failure box was shown; the process ends, exit code 0
    HandedOver,    // the exchange has started; the process ends, exit code 0
};

// Whether the start-up must end the process (with exit code 0) after this outcome.
bool EndsProcess(UpdateOutcome outcome);

// A new program that is empty, cut off, not an executable for this system, or announced under
// a version that cannot safely become a file name is never handed to the exchange: the failure
// box is shown and the running program stays. An update that could not complete here (the
// program's folder or name) is not offered: the player is told why once per version, and the
// running program starts.
UpdateOutcome CheckForUpdate(const UpdateEnvironment& env, UpdateDialogs& dialogs);

// The start-up's check for this very program, with the AppData folder the start-up made: true
// when the program must end now (declined, failed, or the replacement has been started).
bool StartupUpdateEndsProgram(const std::filesystem::path& appDataDir, UpdateDialogs& dialogs);

}  // namespace packwell
