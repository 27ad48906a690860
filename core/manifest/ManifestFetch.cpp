#include "core/manifest/ManifestFetch.h"

namespace packwell {

FutureDownloads::DownloadResult FetchManifest(const std::string& baseUrl, const std::filesystem::path& saveTo,
                                              const std::atomic<bool>* cancel) {
    return FutureDownloads::Download(baseUrl + "/Update", saveTo, {.cancel = cancel, .maxBytes = kMaxManifestBytes});
}

}  // namespace packwell
