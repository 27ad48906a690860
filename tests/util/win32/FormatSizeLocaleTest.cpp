#include <gtest/gtest.h>

#include <windows.h>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace {

// The user's own decimal separator as Windows keeps it (Region settings), set for the test and
// put back after.
class UserDecimalSeparator {
public:
    explicit UserDecimalSeparator(const wchar_t* separator) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_, 8);
        set_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != FALSE;
    }
    ~UserDecimalSeparator() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_); }
    bool Set() const { return set_; }

private:
    wchar_t old_[8] = {};
    bool set_ = false;
};

TEST(FormatSize, UsesTheUsersDecimalSeparator) {
    {
        const UserDecimalSeparator comma(L",");
        ASSERT_TRUE(comma.Set());
        EXPECT_EQ(AllInOne::FormatSize(-1, 1536), "1,5 Кб");
    }
    const UserDecimalSeparator point(L".");
    ASSERT_TRUE(point.Set());
    EXPECT_EQ(AllInOne::FormatSize(-1, 1536), "1.5 Кб");
}

}  // namespace
