#pragma once
// What packwell-sync tells the calling script.
namespace packwell::cli {

enum class ExitStatus : int {
    InStep = 0,         // nothing missing, nothing to delete
    WorkToDo = 1,       // something to download or delete; after a run: a mod still missing
    CouldNotCheck = 2,  // unusable folder, no connection, manifest not fetched, bad arguments
};

}  // namespace packwell::cli
