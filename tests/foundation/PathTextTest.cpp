#include "foundation/PathText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* what;
    std::string bytes;
    std::u16string text;
};

}  // namespace

TEST(PathText, BytesBecomeTextAndComeBackUnchanged)
{
    const PathCase cases[] = {
        {"plain", "/home/anna/Rechnungen/", u"/home/anna/Rechnungen/"},
        {"UTF-8 umlaut", "/daten/M\xc3\xbcller/", u"/daten/M\u00fcller/"},
        {"four-byte sequence", "/\xf0\x9f\x93\x81/", u"/\U0001F4C1/"},
        {"stray bytes", "/tmp/\xff\xfe/", u"/tmp/\xdcff\xdcfe/"},
        {"Latin-1 umlaut", "/daten/M\xfcller/", u"/daten/M\xdcfcller/"},
        {"sequence cut off at the end", "a\xc3", u"a\xdcc3"},
        {"overlong form of '/'", "\xc0\xaf", u"\xdcc0\xdcaf"},
        {"encoded surrogate", "\xed\xa0\x80", u"\xdced\xdca0\xdc80"},
        {"above U+10FFFF", "\xf4\x90\x80\x80", u"\xdcf4\xdc90\xdc80\xdc80"},
        {"lead byte before ASCII", "\xe2(x", u"\xdce2(x"},
        {"empty", "", u""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(PathToText(c.bytes), c.text) << c.what;
        EXPECT_EQ(TextToPath(c.text), c.bytes) << c.what;
    }
}

TEST(PathText, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(TextToPath(PathToText(all)), all);
    // Pairs of bytes, which include every two-byte sequence, valid or not.
    std::string pairs;
    for (int a = 0x80; a < 256; ++a) {
        for (int b = 0x01; b < 256; b += 7) {
            pairs += static_cast<char>(a);
            pairs += static_cast<char>(b);
        }
    }
    EXPECT_EQ(TextToPath(PathToText(pairs)), pairs);
}

TEST(PathText, SurrogatesThatStandForNoByteBecomeTheReplacementCharacter)
{
    // A lone high surrogate, and a low one below the escaped range, name no byte.
    EXPECT_EQ(TextToPath(u"a\xd800"
                         "b"),
              "a\xef\xbf\xbd"
              "b");
    EXPECT_EQ(TextToPath(u"\xdc7f"), "\xef\xbf\xbd");
    // A proper pair is one character, even when its low half lies in the escaped range.
    EXPECT_EQ(TextToPath(u"\xd800\xdc80"), "\xf0\x90\x82\x80");
    EXPECT_EQ(PathToText("\xf0\x90\x82\x80"), u"\xd800\xdc80");
}
