#pragma once
// The extra settings program ("Setups+"): a fresh Settingss.exe fetched into the game folder
// and opened there. The window keeps one FetchAndOpen for the title-bar item and the end of a
// run, so a press while its download runs does nothing:
//   setupsPlus_.Start(SetupsPlusRequest(BaseUrl(), GameDir, &bar1, chngSize), ended);
#include <filesystem>
#include <functional>
#include <string>

#include "core/extras/FileOpener.h"
#include "net/FutureDownloads/ProgressBar.h"

namespace packwell {

struct FetchAndOpenRequest;  // core/extras/FetchAndOpen.h

inline constexpr const char* kSetupsFileName = "Settingss.exe";

// BaseUrl/Settingss.exe into GameDir/Settingss.exe, opened with GameDir as its folder;
// layout 1 while it downloads on sProgressBar1, then layout 0.
FetchAndOpenRequest SetupsPlusRequest(const std::string& baseUrl, const std::filesystem::path& gameDir,
                                      FutureDownloads::ProgressBar* bar, std::function<void(int layout)> chngSize);

}  // namespace packwell
