#include "net/FutureDownloads/UserAgent.h"

#include <exception>

#include "core/Utf8Path.h"
#include "platform/Processes.h"

namespace FutureDownloads::detail {

const std::string& UserAgent() {
    static const std::string name = [] {
        try {
            return packwell::Utf8FromPath(platform::OwnExecutablePath().filename());
        } catch (const std::exception&) {
            return std::string();  // the request then names no agent
        }
    }();
    return name;
}

}  // namespace FutureDownloads::detail
