#include <gtest/gtest.h>

#include <string>

#include "platform/Sha256.h"

namespace {

using platform::ParseSha256Hex;
using platform::Sha256;
using platform::Sha256Hex;

TEST(Sha256, KnownDigestsWhateverTheBlocks) {
    struct Case {
        std::string text;
        std::size_t block;
        const char* hex;
    };
    const std::string million(1000000, 'a');
    const Case cases[] = {
        {"", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {million, 7, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {million, 65536, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    Sha256 hash;
    for (const Case& c : cases) {
        for (std::size_t at = 0; at < c.text.size(); at += c.block)
            hash.Update(c.text.data() + at, std::min(c.block, c.text.size() - at));
        // Final starts anew, so one object serves every case.
        EXPECT_EQ(Sha256Hex(hash.Final()), c.hex) << c.text.size() << " bytes in blocks of " << c.block;
    }
}

TEST(Sha256, HexIsSixtyFourDigitsOfEitherCase) {
    const std::string lower = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    std::string upper = lower;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_TRUE(ParseSha256Hex(lower));
    EXPECT_EQ(Sha256Hex(*ParseSha256Hex(lower)), lower);
    EXPECT_EQ(ParseSha256Hex(upper), ParseSha256Hex(lower));
    for (const std::string& bad : {std::string(), lower.substr(1), lower + "0", " " + lower.substr(1),
                                  lower.substr(0, 63) + "g", "0x" + lower.substr(2)})
        EXPECT_FALSE(ParseSha256Hex(bad)) << bad;
}

}  // namespace
