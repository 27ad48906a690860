#pragma once
// One file of a synchronisation run: obtained from ModsDir or the server, or failed.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/check/SyncLists.h"
#include "core/log/StatusLog.h"
#include "core/sync/PartFilePublisher.h"
#include "core/sync/RetrySchedule.h"
#include "core/sync/RunCounters.h"
#include "core/sync/SyncPaths.h"
#include "net/FutureDownloads/ProgressBar.h"
#include "platform/Sha256.h"

namespace packwell {

enum class StepKind {
    Reused,      // a copy from ModsDir was moved into VersionModsDir
    Downloaded,  // fetched from the server
    Failed,
    Handed,      // fetched, and handed to the publisher, which reports it once it has its name
};

struct StepResult {
    StepKind kind = StepKind::Failed;
    std::int64_t bytes = 0;  // size of the file in VersionModsDir afterwards
    // Why it failed, or that it took retries, in plain words (for standard error, not the log).
    std::string detail;
};

struct FetchContext {
    FutureDownloads::ProgressBar* bar = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    // When set, a fetched file is named by the publisher (many files, one sync) and `named`
    // gets its outcome, Downloaded or Failed, on the publisher's thread.
    PartFilePublisher* publisher = nullptr;
    std::function<void(const StepResult&)> named;
    std::optional<platform::Sha256Digest> sha256 = std::nullopt;  // the content the manifest names, if any
    // When set, a transient failure is tried again after the schedule's waits; null: once only.
    const RetrySchedule* retry = nullptr;
};

// What every download of a run is asked for beyond its file: the content the manifest names for
// it, and how often a passing failure is tried again. Null: not given.
struct FetchRules {
    const ModDigests* digests = nullptr;
    const RetrySchedule* retry = nullptr;
};

// Whether a list item may become a path: a bare, non-empty file name. Anything else would
// land outside VersionModsDir (or on the folder itself).
bool IsAdmissibleModName(const std::string& name);

// Downloads Url into SaveTo, retrying as the context's schedule says and going on from the
// bytes an attempt kept; a file already there is never written over. Handed when the context
// has a publisher.
StepResult FetchInto(const std::string& url, const std::filesystem::path& saveTo, const FetchContext& context);

// Downloads the file into VersionModsDir.
StepResult FetchMod(const SyncPaths& paths, const std::string& name, const FetchContext& context);

// The sequential step: a copy lying in ModsDir is moved in (replacing the target), unless the
// context names other content; otherwise the file is fetched.
StepResult ObtainMod(const SyncPaths& paths, const std::string& name, const FetchContext& context);

// Runs a step; an error raised inside it ends the step as a failure.
StepResult GuardedStep(const std::function<StepResult()>& step);

// Writes the step's line, then counts it, so a line always precedes its count.
void ReportStep(const StepResult& result, const std::string& name, StatusLog& log, RunCounters& counters);

}  // namespace packwell
