#include "core/manifest/ModFileName.h"

namespace packwell {

bool IsBareFileName(std::string_view name) {
    if (name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c < 0x20 || c == 0x7f) return false;
    }
    return true;
}

}  // namespace packwell
