#include "core/extras/SetupsPlus.h"

#include "core/extras/FetchAndOpen.h"

namespace packwell {

FetchAndOpenRequest SetupsPlusRequest(const std::string& baseUrl, const std::filesystem::path& gameDir,
                                      FutureDownloads::ProgressBar* bar, std::function<void(int layout)> chngSize) {
    return {.url = baseUrl + "/" + kSetupsFileName,
            .file = gameDir / kSetupsFileName,
            .workingDir = gameDir,
            .bar = bar,
            .chngSize = std::move(chngSize)};
}

}  // namespace packwell
