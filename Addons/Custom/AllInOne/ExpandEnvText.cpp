#include <stdexcept>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/EnvironmentText.h"
#include "Addons/Custom/AllInOne/Utf16Units.h"

namespace AllInOne {
namespace {

constexpr std::size_t kMaxUnits = 255;

}  // namespace

// A longer result is refused rather than cut: a cut path would name another folder, and
// the callers build folders to write in from it.
std::string ExpandEnvText(const std::string& Text) {
    std::string result = ExpandEnvironmentReferences(Text);
    if (Utf16Length(result) > kMaxUnits)
        throw std::length_error("Путь «" + Text + "» длиннее 255 символов: " + result);
    return result;
}

}  // namespace AllInOne
