// Alone in its file, so a build of the program can link another address in its place.
#include "BuildConfig.h"
#include "core/settings/SharedValues.h"

namespace packwell {

std::string BaseUrl() { return build::kBaseUrl; }

}  // namespace packwell
