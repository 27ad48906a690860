#pragma once
// The names the player keeps although the server would delete them ("WhiteList" in
// Settings.ini).
//
// Stored form: every kept name followed by "/" ("a.jar/b.jar/"), matched exactly. A value
// without "/" was written by the old program, names run together ("a.jarb.jar"): it is read
// by the old rule, a name counting as kept when it occurs anywhere in it. What is left of such
// a value once the player has decided on names in it stays as an entry marked with a leading
// ":" (":c.jard.jar/") and keeps the old rule. Bare file names hold neither "/" nor ":", so
// neither mark can be part of a name. The old value vanishes once every name in it is kept
// exactly or released.
#include <string>
#include <string_view>
#include <vector>

namespace packwell {

class WhiteList {
public:
    static constexpr char kTerminator = '/';
    static constexpr char kOldValueMark = ':';

    WhiteList() = default;
    explicit WhiteList(std::string_view value);

    std::string Value() const;

    // An exact entry, or an occurrence inside what is left of an old value (case-sensitive).
    bool Contains(std::string_view name) const;
    // Adds the name as an exact entry unless it is one already. Names that are not bare file
    // names cannot be stored exactly and never reach the cleanup list: ignored.
    void Keep(std::string_view name);
    // Drops the exact entry and cuts every occurrence out of an old value, as the old program did.
    void Release(std::string_view name);

private:
    struct Entry {
        std::string text;
        bool oldValue = false;  // run-together names, matched by occurrence
    };
    bool IsExactEntry(std::string_view name) const;
    bool MadeOfExactEntries(std::string_view oldValue) const;
    // Drops the parts of old values that say nothing the exact entries do not.
    void DropSettledOldValues();

    std::vector<Entry> entries_;
};

}  // namespace packwell
