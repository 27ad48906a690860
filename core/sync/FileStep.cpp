#include "core/sync/FileStep.h"

#include <exception>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/Utf8Path.h"
#include "core/manifest/ModFileName.h"
#include "core/sync/RunTexts.h"
#include "net/FutureDownloads/FutureDownloads.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

StepResult Failure(std::string detail) { return {StepKind::Failed, 0, std::move(detail)}; }

std::int64_t SizeInPlace(const fs::path& file) { return AllInOne::LocalFileSize(file); }

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// What giving a fetched file its name came to, as the step's result.
StepResult NamingOutcome(platform::PartFile::CommitResult result, const std::string& error, const fs::path& target) {
    using platform::PartFile;
    if (result == PartFile::CommitResult::Done) return {StepKind::Downloaded, SizeInPlace(target), {}};
    FutureDownloads::DownloadResult failed;
    failed.error = result == PartFile::CommitResult::TargetExists ? FutureDownloads::DownloadError::TargetExists
                                                                  : FutureDownloads::DownloadError::WriteFailed;
    failed.detail = error;
    return Failure(FutureDownloads::FailureText(failed));
}

// The detail says how many retries a file took, so a flaky server shows in the headless
// client's output though the log has one line per file as ever.
StepResult NoteRetries(StepResult result, int retries) {
    if (retries == 0) return result;
    const std::string note = "повторных попыток: " + std::to_string(retries);
    result.detail = result.detail.empty() ? note : result.detail + " (" + note + ")";
    return result;
}

}  // namespace

bool IsAdmissibleModName(const std::string& name) { return !name.empty() && IsBareFileName(name); }

StepResult FetchInto(const std::string& url, const fs::path& saveTo, const FetchContext& context) {
    // A mod cut off keeps its bytes for the next attempt, in this run or the next.
    FutureDownloads::DownloadOptions options{
        .bar = context.bar, .cancel = context.cancel, .sha256 = context.sha256, .resume = true};
    if (context.retry) options.stallTimeout = context.retry->stall;
    int retries = 0;
    if (context.publisher) {
        options.publish = [&context, &retries, saveTo](std::unique_ptr<platform::PartFile> file) {
            context.publisher->Publish(std::move(file), [saveTo, named = context.named, retries](
                                                            platform::PartFile::CommitResult result,
                                                            const std::string& error) {
                named(NoteRetries(NamingOutcome(result, error, saveTo), retries));
            });
        };
    }
    auto result = FutureDownloads::Download(url, saveTo, options);
    while (!result && context.retry && static_cast<std::size_t>(retries) < context.retry->waits.size() &&
           FutureDownloads::IsTransient(result) &&
           WaitUnlessCancelled(WaitBefore(*context.retry, static_cast<std::size_t>(retries), result), context.cancel)) {
        ++retries;
        result = FutureDownloads::Download(url, saveTo, options);
    }
    if (!result) return NoteRetries(Failure(FutureDownloads::FailureText(result)), retries);
    if (context.publisher) return {StepKind::Handed, 0, {}};
    return NoteRetries({StepKind::Downloaded, SizeInPlace(saveTo), {}}, retries);
}

StepResult FetchMod(const SyncPaths& paths, const std::string& name, const FetchContext& context) {
    if (!IsAdmissibleModName(name)) return Failure("недопустимое имя файла");
    return FetchInto(paths.SourceUrl(name), paths.Target(name), context);
}

StepResult ObtainMod(const SyncPaths& paths, const std::string& name, const FetchContext& context) {
    if (!IsAdmissibleModName(name)) return Failure("недопустимое имя файла");
    const fs::path stray = paths.StrayCopy(name);
    // A copy of other content than the manifest names would pass for the file: fetched instead.
    if (!IsFile(stray) || (context.sha256 && FutureDownloads::HashSavedFile(stray).sha256 != context.sha256))
        return FetchMod(paths, name, context);
    // A move that fails leaves nothing obtained; counting it would report a missing file as there.
    if (!AllInOne::MoveFileReplacing(stray, paths.Target(name), /*FailIfExists=*/false))
        return Failure("не удалось перенести " + Utf8FromPath(stray));
    return {StepKind::Reused, SizeInPlace(paths.Target(name)), {}};
}

StepResult GuardedStep(const std::function<StepResult()>& step) {
    try {
        return step();
    } catch (const std::exception& e) {
        return Failure(e.what());
    } catch (...) {
        return Failure("неизвестная ошибка");
    }
}

void ReportStep(const StepResult& result, const std::string& name, StatusLog& log, RunCounters& counters) {
    switch (result.kind) {
        case StepKind::Reused: log.Console(run_texts::kReused + name); break;
        case StepKind::Downloaded: log.Console(run_texts::kDownloaded + name); break;
        case StepKind::Failed: log.Console(run_texts::kFailed + name); return;
        case StepKind::Handed: return;  // reported once it has its name
    }
    counters.DoneBytes.fetch_add(result.bytes);
    counters.DoneCount.fetch_add(1);
}

}  // namespace packwell
