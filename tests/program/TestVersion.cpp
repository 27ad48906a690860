// The version a test build of the program reports, set per build.
#include "core/settings/SharedValues.h"

namespace packwell {

std::string CurrentVersion() { return TEST_PROGRAM_VERSION; }

}  // namespace packwell
