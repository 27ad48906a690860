#pragma once
// Wine settings a test changes for the programs it starts.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace packwell::test {

// A registry value of the current user set while this lives; its old value (or its absence)
// comes back after. Wine reads its settings when a program starts, so the programs a test starts
// meanwhile see the new value.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

private:
    std::wstring key_;
    std::wstring name_;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> old_;
};

// Wine draws windows through a display. The programs a test starts while this lives get Wine's
// null graphics driver instead (windows without one).
class NullGraphicsDriver {
public:
    NullGraphicsDriver();

private:
    ScopedRegistryValue value_;
};

}  // namespace packwell::test
