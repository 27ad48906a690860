#include "tools/packwell-sync/SyncMode.h"

#include <exception>

#include "core/cleanup/Cleanup.h"
#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "core/settings/SharedValues.h"
#include "core/sync/SyncRun.h"
#include "core/sync/UiQueue.h"
#include "tools/packwell-sync/CheckMode.h"
#include "tools/packwell-sync/InStep.h"
#include "tools/packwell-sync/StopSignal.h"
#include "tools/packwell-sync/TerminalProgress.h"

namespace packwell::cli {
namespace {

// The window's part of a run, played without a window.
class HeadlessHost : public RunHost {
public:
    HeadlessHost(TerminalProgress& progress, const CheckedFolder& checked, bool clean, StatusLog& log)
        : progress_(progress), checked_(checked), clean_(clean), log_(log) {}

    void ChngSize(BarLayout layout) override { progress_.SetLayout(layout); }
    void StartSetupsPlus() override {}  // never asked for: there is no desktop to open it on
    void ShowCleanupDialog() override { clean_ ? Clean() : ListDeletable(); }
    void EnableWindow() override {}
    void SetDispatcherTimer(bool enabled) override { timerOn = enabled; }

    bool timerOn = false;

private:
    // What pressing "Удалить" with the dialog's own ticks does: the white-list keeps its files.
    void Clean() {
        const IniFile settings(SettingsIniPath());
        const auto items = FillCleanupList(checked_.lists.DeleteList, settings);
        for (const auto& item : items)
            if (!item.ticked) progress_.Note("Оставлен (белый список): " + item.name);
        DeleteTickedFiles(items, checked_.folder.VersionModsDir, checked_.lists.ListedMods, settings, log_);
    }

    void ListDeletable() {
        progress_.Note("Можно удалить файлов: " + std::to_string(checked_.lists.DeleteList.size()) +
                       " (удаляются с --clean, кроме файлов из белого списка)");
    }

    TerminalProgress& progress_;
    const CheckedFolder& checked_;
    const bool clean_;
    StatusLog& log_;
};

}  // namespace

ExitStatus RunSync(const Options& options, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    TerminalProgress progress(out, err, errIsTerminal);
    try {
        StatusLog log;
        log.SetListener([&progress](const std::vector<std::string>& lines) { progress.PrintLines(lines); });
        const auto checked = CheckFolder(options, log, err);
        if (!checked) return ExitStatus::CouldNotCheck;

        RunRequest request;
        request.lists = checked->lists;
        request.paths.ModsDir = checked->folder.ModsDir;
        request.paths.VersionModsDir = checked->folder.VersionModsDir;
        request.paths.BaseUrl = checked->baseUrl;
        request.turbo = options.turbo.value_or(
            IniFile(SettingsIniPath()).ReadBool(settings::kSection, settings::kTurbo, true));
        request.setups = false;

        HeadlessHost host(progress, *checked, options.clean, log);
        UiQueue queue;
        SyncRun run(request, log, host, progress.Bars(), queue.Poster(),
                    [&progress](const std::string& name, const StepResult& result) {
                        // Why a file failed, or that it took retries.
                        if (!result.detail.empty()) progress.Note(name + ": " + result.detail);
                    });
        {
            // Ctrl+C stops the downloads; the run then ends as usual, no file left half-written under
            // a mod's name (a cut mod's bytes wait in its part file for the next run).
            CancelRunOnStop stop(run);
            run.Start();
            while (!run.Finished()) {
                queue.Drain(std::chrono::milliseconds(1));
                if (host.timerOn) run.Tick();
                progress.Render();
            }
        }
        progress.Clear();
        // A damaged mod the game held stays damaged: no run replaces it until the game lets go.
        const bool inStep =
            !checked->lists.Held() && EveryListedModInPlace(ManifestIniPath(), checked->folder.VersionModsDir);
        return inStep ? ExitStatus::InStep : ExitStatus::WorkToDo;
    } catch (const std::exception& e) {
        progress.Clear();
        err << "Синхронизация прервана: " << e.what() << "\n";
        return ExitStatus::CouldNotCheck;
    }
}

}  // namespace packwell::cli
