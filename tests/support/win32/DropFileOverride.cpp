#include "tests/support/DropFileOverride.h"

namespace packwell::test {

// Windows has no override to drop: a test meets the read-only attribute and the file's access
// list as a player does.
DropFileOverride::DropFileOverride() = default;
DropFileOverride::~DropFileOverride() = default;

}  // namespace packwell::test
