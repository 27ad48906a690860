#include "tests/support/win32/ScopedRegistryValue.h"

namespace packwell::test {

ScopedRegistryValue::ScopedRegistryValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data,
                                         DWORD size)
    : key_(key), name_(name) {
    DWORD oldType = 0;
    DWORD oldSize = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &oldType, nullptr, &oldSize) ==
        ERROR_SUCCESS) {
        std::vector<BYTE> bytes(oldSize);
        if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &oldType, bytes.data(), &oldSize) ==
            ERROR_SUCCESS)
            old_.emplace(oldType, std::move(bytes));
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, type, data, size);
}

ScopedRegistryValue::~ScopedRegistryValue() {
    if (old_)
        RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), old_->first, old_->second.data(),
                        static_cast<DWORD>(old_->second.size()));
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
}

NullGraphicsDriver::NullGraphicsDriver()
    : value_(L"Software\\Wine\\Drivers", L"Graphics", REG_SZ, L"null", sizeof L"null") {}

}  // namespace packwell::test
