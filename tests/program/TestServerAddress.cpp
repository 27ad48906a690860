// The test builds of the program read their server from PACKWELL_TEST_BASE_URL (the test's
// server on 127.0.0.1); without it, a loopback port where nothing answers.
#include <cstdlib>

#include "core/settings/SharedValues.h"

namespace packwell {

std::string BaseUrl() {
    const char* url = std::getenv("PACKWELL_TEST_BASE_URL");
    return url && *url ? url : "http://127.0.0.1:9";
}

}  // namespace packwell
