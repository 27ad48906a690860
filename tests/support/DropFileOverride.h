#pragma once
// Lets a test running as root meet file permissions as a player does: while it lives, the
// calling thread's effective capabilities lack CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH.
// Without root, and on Windows, it changes nothing. Only the constructing thread is affected.
#include <array>
#include <cstdint>

namespace packwell::test {

class DropFileOverride {
public:
    DropFileOverride();   // throws std::system_error when the capabilities cannot be read or set
    ~DropFileOverride();  // the effective set as it was
    DropFileOverride(const DropFileOverride&) = delete;
    DropFileOverride& operator=(const DropFileOverride&) = delete;

private:
    std::array<std::uint32_t, 2> savedEffective_{};
};

}  // namespace packwell::test
