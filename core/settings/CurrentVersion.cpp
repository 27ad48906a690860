// Alone in its file, so a build of the program can link another version in its place.
#include "BuildConfig.h"
#include "core/settings/SharedValues.h"

namespace packwell {

std::string CurrentVersion() { return build::kCurrentVersion; }

}  // namespace packwell
