#include "core/gamefolder/PropertiesValue.h"

#include <gtest/gtest.h>

using packwell::PropertiesLineToUtf8;
using packwell::UnescapePropertiesValue;

TEST(PropertiesValue, UndoesEveryEscapeTheWriterMakes) {
    struct Case { const char* raw; const char* expected; };
    const Case cases[] = {
        {R"(C\:\\Games\\MC)", R"(C:\Games\MC)"},
        {R"(C\:\\Users\\\u0418\u0432\u0430\u043D\\AppData\\Roaming\\.minecraft)",
         R"(C:\Users\Иван\AppData\Roaming\.minecraft)"},
        {R"(\u00e9t\u00E9)", "été"},                          // either hex case
        {R"(\uD83D\uDE00)", "\xF0\x9F\x98\x80"},              // surrogate pair -> one code point
        {R"(a\uD83Db)", "a\xEF\xBF\xBD" "b"},                  // lone high half
        {R"(\uDE00)", "\xEF\xBF\xBD"},                        // lone low half
        {R"(\=\ \#\!x)", "= #!x"},
        {R"(a\tb\nc\rd\fe)", "a\tb\nc\rd\fe"},
        {R"(\qz)", "qz"},                                      // any other escaped character stands for itself
        {R"(\u12)", R"(\u12)"},                                // malformed: kept as written
        {R"(\uZZZZ)", R"(\uZZZZ)"},
        {R"(end\)", "end"},                                    // dangling backslash
        {"/home/ivan/.minecraft", "/home/ivan/.minecraft"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(UnescapePropertiesValue(c.raw), c.expected) << c.raw;
}

TEST(PropertiesValue, LineBytesBecomeUtf8) {
    EXPECT_EQ(PropertiesLineToUtf8("Иван"), "Иван");           // already UTF-8: kept
    EXPECT_EQ(PropertiesLineToUtf8("caf\xE9"), "café");         // ISO-8859-1 byte
    EXPECT_EQ(PropertiesLineToUtf8("\xD0"), "\xC3\x90");        // cut UTF-8 sequence read as Latin-1
    EXPECT_EQ(PropertiesLineToUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");  // encoded surrogate is not UTF-8
}
