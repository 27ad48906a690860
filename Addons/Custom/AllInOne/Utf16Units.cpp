#include "Addons/Custom/AllInOne/Utf16Units.h"

namespace AllInOne {
namespace {

// Bytes of the UTF-8 sequence starting with lead (stray bytes count as one).
std::size_t SequenceBytes(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string_view Utf16Prefix(std::string_view utf8, std::size_t maxUnits) {
    std::size_t bytes = 0, units = 0;
    while (bytes < utf8.size()) {
        const std::size_t seq = SequenceBytes(static_cast<unsigned char>(utf8[bytes]));
        const std::size_t seqUnits = seq == 4 ? 2 : 1;
        if (units + seqUnits > maxUnits) break;
        units += seqUnits;
        bytes += seq;
    }
    return utf8.substr(0, bytes < utf8.size() ? bytes : utf8.size());
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size(); i += SequenceBytes(static_cast<unsigned char>(utf8[i])))
        units += SequenceBytes(static_cast<unsigned char>(utf8[i])) == 4 ? 2 : 1;
    return units;
}

}  // namespace AllInOne
