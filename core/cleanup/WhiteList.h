#pragma once
// The names the player keeps although the server would delete them ("WhiteList" in
// Settings.ini). A name counts as kept when it occurs anywhere in the stored value, so values
// written by earlier versions (names run together) still read as they did. We write entries
// separated by "/", which no bare file name holds, so dropping a.jar leaves a kept xa.jar whole.
#include <string>
#include <string_view>
#include <vector>

namespace packwell {

class WhiteList {
public:
    static constexpr char kSeparator = '/';

    WhiteList() = default;
    explicit WhiteList(std::string value) : value_(std::move(value)) {}

    const std::string& Value() const { return value_; }

    // Case-sensitive occurrence anywhere in the value.
    bool Contains(std::string_view name) const;
    // Adds the name as an entry of its own unless it is one already. A name that only occurs
    // inside a longer entry is added too, so it survives that entry's removal.
    void Keep(std::string_view name);
    // Removes every entry equal to the name; other entries stay as they are.
    void Release(std::string_view name);

private:
    std::vector<std::string_view> Entries() const;
    std::string value_;
};

}  // namespace packwell
