#include <cstdio>

#include "core/log/StatusLog.h"

namespace packwell {

std::string FormatLongTime(int hours, int minutes, int seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", hours, minutes, seconds);
    return buf;
}

}  // namespace packwell
