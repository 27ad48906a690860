#include <gtest/gtest.h>

#include "core/settings/IniFile.h"
#include "tests/ini/Utf16Le.h"

using packwell::IniData;
using namespace std::string_literals;

namespace {

using packwell::test::Utf16Le;

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
        // Only A-Z fold, as the profile functions under Wine do; the program's names are ASCII.
        ReadCase{"OnlyLatinLettersFold", "[Моды]\r\nКЛЮЧ=1\r\n", "мОДЫ", "КЛЮЧ", "<default>"},
        ReadCase{"BlanksAroundTrimmed", "  [ Settings ]  \r\n\t GameFolder  =  /games/mc  \r\n", "Settings", "GameFolder",
                 "/games/mc"},
        ReadCase{"PresentEmptyIsEmpty", "[a]\r\nx=\r\n", "a", "x", ""},
        ReadCase{"MissingKey", "[a]\r\nx=1\r\n", "a", "y", "<default>"},
        ReadCase{"MissingSection", "[a]\r\nx=1\r\n", "b", "x", "<default>"},
        ReadCase{"KeyOfOtherSection", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "y", "<default>"},
        ReadCase{"FirstOccurrenceWins", "[a]\r\nx=1\r\nX=2\r\n", "a", "x", "1"},
        // Only the first section of a name is read.
        ReadCase{"SecondSectionOfANameIgnored", "[a]\r\nx=1\r\n[b]\r\n[A]\r\ny=2\r\n", "a", "y", "<default>"},
        ReadCase{"SecondSectionDoesNotOverride", "[modlist]\r\nCount=1\r\n[MODLIST]\r\nCount=5\r\n", "modlist", "Count", "1"},
        // One matching pair of quotes comes off, after the blanks.
        ReadCase{"DoubleQuotesStripped", "[Update]\r\nlastversion=\"1.2.6.3\"\r\n", "Update", "lastversion", "1.2.6.3"},
        ReadCase{"SingleQuotesStripped", "[a]\r\nx = 'C:\\Games\\MC' \r\n", "a", "x", "C:\\Games\\MC"},
        ReadCase{"BlanksInsideQuotesKept", "[a]\r\nx= \" a b \" \r\n", "a", "x", " a b "},
        ReadCase{"OnlyOnePairStripped", "[a]\r\nx=\"\"a\"\"\r\n", "a", "x", "\"a\""},
        ReadCase{"EmptyQuotesReadEmpty", "[a]\r\nx=''\r\n", "a", "x", ""},
        ReadCase{"MismatchedQuotesKept", "[a]\r\nx=\"a'\r\n", "a", "x", "\"a'"},
        ReadCase{"OpeningQuoteOnlyKept", "[a]\r\nx=\"a\r\n", "a", "x", "\"a"},
        ReadCase{"LoneQuoteKept", "[a]\r\nx=\"\r\n", "a", "x", "\""},
        ReadCase{"QuotesInsideKept", "[a]\r\nx=a\"b\"\r\n", "a", "x", "a\"b\""},
        // A lone CR ends a line as LF and CR LF do.
        ReadCase{"LoneCrEndsLine", "[a]\rx=1\ry=2\r", "a", "y", "2"},
        ReadCase{"LoneCrBeforeCrLf", "[a]\r\r\nx=1\r\r\n", "a", "x", "1"},
        // A value ends at a NUL byte, before its quotes are looked at.
        ReadCase{"NulEndsValue", "[a]\r\nx=ab\0cd\r\ny=2\r\n"s, "a", "x", "ab"},
        ReadCase{"NulBeforeClosingQuote", "[a]\r\nx=\"a\0\"\r\n"s, "a", "x", "\"a"},
        ReadCase{"NulLineStillEnds", "[a]\r\nx=ab\0cd\r\ny=2\r\n"s, "a", "y", "2"},
        // A UTF-16LE byte-order mark makes the whole file UTF-16.
        ReadCase{"Utf16LeFile", Utf16Le(u"[Settings]\r\nGameFolder=C:\\Игры\\MC\r\n"), "settings", "GameFolder",
                 "C:\\Игры\\MC"},
        ReadCase{"Utf16LeSurrogatePair", Utf16Le(u"[a]\nx=\U0001F600\"\n"), "a", "x", "\xF0\x9F\x98\x80\""},
        ReadCase{"Utf16LeLoneSurrogate", Utf16Le(u"[a]\nx=\xD800z\n"), "a", "x", "\xEF\xBF\xBDz"},
        ReadCase{"Utf16LeOddLastByteDropped", Utf16Le(u"[a]\nx=1") + "\x41", "a", "x", "1"},
        // Without a mark: UTF-8 when the bytes are UTF-8, else the old program's Windows-1251.
        ReadCase{"Utf8WithoutMark", "[a]\r\nx=C:\\Игры\r\n", "a", "x", "C:\\Игры"},
        ReadCase{"Windows1251", "[\xCC\xEE\xE4\xFB]\r\nx=C:\\\xC8\xE3\xF0\xFB \xB9\xB8\r\n", "Моды", "x", "C:\\Игры №ё"},
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
                    IntegerCase{"\"0\"", 0}, IntegerCase{"'0x10'", 16},
                    IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", -2147483647 - 1},
                    // everything below gives the default
                    IntegerCase{"2147483648", 7}, IntegerCase{"$100000000", 7}, IntegerCase{"0x", 7},
                    IntegerCase{"$", 7}, IntegerCase{"16abc", 7}, IntegerCase{"yes", 7}, IntegerCase{"", 7},
                    IntegerCase{"1 2", 7}, IntegerCase{"-", 7}, IntegerCase{"1.5", 7}, IntegerCase{nullptr, 7}));

// Sizes: the same conversion over 64 bits.
TEST(IniData, Int64ReadConvertsAsIntegersDo) {
    const IniData data = IniData::Parse(
        "[a]\r\nbig=3000000000\r\nmax=9223372036854775807\r\nmin=-9223372036854775808\r\nover=9223372036854775808\r\n"
        "hex=$FFFFFFFF\r\nhex0x=0x100000000\r\nallOnes=$FFFFFFFFFFFFFFFF\r\nhexOver=$10000000000000000\r\nbad=3e9\r\n"
        "quoted=\"3000000000\"\r\n");
    EXPECT_EQ(data.ReadInt64("a", "big", 7), 3000000000LL);
    EXPECT_EQ(data.ReadInt64("a", "max", 7), INT64_MAX);
    EXPECT_EQ(data.ReadInt64("a", "min", 7), INT64_MIN);
    EXPECT_EQ(data.ReadInt64("a", "over", 7), 7);
    EXPECT_EQ(data.ReadInt64("a", "hex", 7), 4294967295LL);
    EXPECT_EQ(data.ReadInt64("a", "hex0x", 7), 4294967296LL);
    EXPECT_EQ(data.ReadInt64("a", "allOnes", 7), -1);
    EXPECT_EQ(data.ReadInt64("a", "hexOver", 7), 7);
    EXPECT_EQ(data.ReadInt64("a", "bad", 7), 7);
    EXPECT_EQ(data.ReadInt64("a", "quoted", 7), 3000000000LL);
    EXPECT_EQ(data.ReadInt64("a", "missing", 7), 7);
    EXPECT_EQ(data.ReadInteger("a", "big", 7), 7) << "the 32-bit read keeps its range";
}

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
