#include "net/FutureDownloads/UserAgent.h"

#include <exception>

#include "platform/Processes.h"

namespace FutureDownloads::detail {

const std::string& UserAgent() {
    static const std::string name = [] {
        try {
            return platform::OwnExecutablePath().filename().string();
        } catch (const std::exception&) {
            return std::string();  // libcurl then sends no user-agent name
        }
    }();
    return name;
}

}  // namespace FutureDownloads::detail
