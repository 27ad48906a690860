#include "tests/support/DropFileOverride.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace packwell::test {
namespace {

using CapData = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;

__user_cap_header_struct Header() { return {_LINUX_CAPABILITY_VERSION_3, 0}; }

CapData Get() {
    __user_cap_header_struct header = Header();
    CapData data{};
    if (::syscall(SYS_capget, &header, data.data()) != 0)
        throw std::system_error(errno, std::generic_category(), "capget");
    return data;
}

void Set(CapData data) {
    __user_cap_header_struct header = Header();
    if (::syscall(SYS_capset, &header, data.data()) != 0)
        throw std::system_error(errno, std::generic_category(), "capset");
}

void Clear(CapData& data, int capability) {
    data[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
}

}  // namespace

DropFileOverride::DropFileOverride() {
    CapData data = Get();
    for (std::size_t i = 0; i < data.size(); ++i) savedEffective_[i] = data[i].effective;
    Clear(data, CAP_DAC_OVERRIDE);
    Clear(data, CAP_DAC_READ_SEARCH);
    Set(data);
}

DropFileOverride::~DropFileOverride() {
    try {
        CapData data = Get();
        for (std::size_t i = 0; i < data.size(); ++i) data[i].effective = savedEffective_[i];
        Set(data);
    } catch (const std::system_error&) {
        // Raising bits still in the permitted set does not fail; nothing sound to do if it did.
    }
}

}  // namespace packwell::test
