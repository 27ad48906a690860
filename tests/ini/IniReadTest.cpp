#include <gtest/gtest.h>

#include "core/settings/IniFile.h"

using packwell::IniData;

namespace {

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::string expected;  // "<default>" when the default comes back
};

class IniReadTable : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTable, ReadsAsTheProfileFunctions) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniData::Parse(c.file).ReadString(c.section, c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadTable,
    testing::Values(
        ReadCase{"Plain", "[Settings]\r\nTurbo=1\r\n", "Settings", "Turbo", "1"},
        ReadCase{"BareLineFeeds", "[a]\nx=1\ny=2\n", "a", "y", "2"},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[Settings]\r\nTurbo=1", "Settings", "Turbo", "1"},
        ReadCase{"NamesIgnoreCase", "[modlist]\r\nMOD1=a.jar\r\n", "MODLIST", "mod1", "a.jar"},
        ReadCase{"BlanksAroundTrimmed", "  [ Settings ]  \r\n\t GameFolder  =  /games/mc  \r\n", "Settings", "GameFolder",
                 "/games/mc"},
        ReadCase{"PresentEmptyIsEmpty", "[a]\r\nx=\r\n", "a", "x", ""},
        ReadCase{"MissingKey", "[a]\r\nx=1\r\n", "a", "y", "<default>"},
        ReadCase{"MissingSection", "[a]\r\nx=1\r\n", "b", "x", "<default>"},
        ReadCase{"KeyOfOtherSection", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "y", "<default>"},
        ReadCase{"FirstOccurrenceWins", "[a]\r\nx=1\r\nX=2\r\n", "a", "x", "1"},
        ReadCase{"RepeatedSectionReadsAsOne", "[a]\r\nx=1\r\n[b]\r\n[A]\r\ny=2\r\n", "a", "y", "2"},
        ReadCase{"SplitAtFirstEquals", "[a]\r\nx=b=c\r\n", "a", "x", "b=c"},
        ReadCase{"CommentIgnored", "[a]\r\n;x=1\r\nx=2\r\n", "a", "x", "2"},
        ReadCase{"LineWithoutEqualsIgnored", "[a]\r\nx\r\n", "a", "x", "<default>"},
        ReadCase{"KeysBeforeAnySection", "x=1\r\n[a]\r\n", "a", "x", "<default>"},
        ReadCase{"UnclosedHeaderOpensNothing", "[a]\r\n[b\r\nx=1\r\n", "a", "x", "1"},
        ReadCase{"CutTo2047", "[a]\r\nx=" + std::string(3000, 'v') + "\r\n", "a", "x", std::string(2047, 'v')},
        // Cut by UTF-16 units, never inside a character.
        ReadCase{"CutCountsCharacters", "[a]\r\nx=" + Repeat("ж", 2100), "a", "x", Repeat("ж", 2047)},
        ReadCase{"CutBeforeSurrogatePair", "[a]\r\nx=" + std::string(2046, 'v') + "\xF0\x9F\x98\x80", "a", "x",
                 std::string(2046, 'v')}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerCase {
    const char* value;  // nullptr: key absent
    std::int32_t expected;
};

class IniIntegerTable : public testing::TestWithParam<IntegerCase> {};

TEST_P(IniIntegerTable, ConvertsOrGivesDefault) {
    const IntegerCase& c = GetParam();
    const std::string file = c.value ? std::string("[a]\r\nn=") + c.value + "\r\n" : "[a]\r\n";
    EXPECT_EQ(IniData::Parse(file).ReadInteger("a", "n", 7), c.expected) << (c.value ? c.value : "(absent)");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniIntegerTable,
    testing::Values(IntegerCase{"0", 0}, IntegerCase{"2", 2}, IntegerCase{"-5", -5}, IntegerCase{"+5", 5},
                    IntegerCase{" 12 ", 12}, IntegerCase{"0x1", 1}, IntegerCase{"0x10", 16}, IntegerCase{"0X1f", 31},
                    IntegerCase{"$10", 16}, IntegerCase{"$ff", 255}, IntegerCase{"$FFFFFFFF", -1},
                    IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", -2147483647 - 1},
                    // everything below gives the default
                    IntegerCase{"2147483648", 7}, IntegerCase{"$100000000", 7}, IntegerCase{"0x", 7},
                    IntegerCase{"$", 7}, IntegerCase{"16abc", 7}, IntegerCase{"yes", 7}, IntegerCase{"", 7},
                    IntegerCase{"1 2", 7}, IntegerCase{"-", 7}, IntegerCase{"1.5", 7}, IntegerCase{nullptr, 7}));

TEST(IniData, BooleansAreIntegersOtherThanZero) {
    const IniData data = IniData::Parse("[Settings]\r\nA=0\r\nB=2\r\nC=0x1\r\nD=yes\r\nE=\r\n");
    EXPECT_FALSE(data.ReadBool("Settings", "A", true));
    EXPECT_TRUE(data.ReadBool("Settings", "B", false));
    EXPECT_TRUE(data.ReadBool("Settings", "C", false));
    EXPECT_TRUE(data.ReadBool("Settings", "D", true));
    EXPECT_FALSE(data.ReadBool("Settings", "D", false));
    EXPECT_TRUE(data.ReadBool("Settings", "E", true));
    EXPECT_TRUE(data.ReadBool("Settings", "Missing", true));
}

}  // namespace
