#pragma once
// The names of an exchange as the self-update gives them.
#include "Addons/Custom/AllInOne/ReplaceScript.h"

namespace packwell::test {

inline const AllInOne::ReplaceNames kNames{"Packwell.exe", "Packwell Brenvik v1.2.7.exe", "01234567890123456789.exe"};

}  // namespace packwell::test
