#pragma once
#include <stdexcept>

namespace packwell::pack {

// A command could not do its work; nothing was written. what() may hold several lines.
class PackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace packwell::pack
