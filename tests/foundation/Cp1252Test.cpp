#include "foundation/Cp1252.h"
#include "foundation/Utf8.h"

#include <gtest/gtest.h>

TEST(Cp1252, AllBytesRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::u16string text = DecodeCp1252(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(EncodeCp1252(text), all);
}

TEST(Cp1252, RangeEightyToNinetyFiveIsWindowsNotLatin1)
{
    EXPECT_EQ(DecodeCp1252("\x80"), u"€");
    EXPECT_EQ(DecodeCp1252("\x84\x93\x94"), u"„“”");
    EXPECT_EQ(DecodeCp1252("\x96\x97"), u"–—");
    EXPECT_EQ(DecodeCp1252("\x8A\x9A\x9F"), u"ŠšŸ");
    EXPECT_EQ(EncodeCp1252(u"‚ƒ…†‡ˆ‰‹Œ‘’•˜™›œž"),
              "\x82\x83\x85\x86\x87\x88\x89\x8B\x8C\x91\x92\x95\x98\x99\x9B\x9C\x9E");
}

TEST(Cp1252, GermanTextIsUnchanged)
{
    const std::u16string text = u"Äpfel, Öl, Übermaß: größer – 12 €";
    EXPECT_EQ(DecodeCp1252(EncodeCp1252(text)), text);
    EXPECT_EQ(EncodeCp1252(u"Straße"), "Stra\xDF"
                                       "e");
}

TEST(Cp1252, UnrepresentableBecomesQuestionMark)
{
    EXPECT_EQ(EncodeCp1252(u"\u0100\u4E2D"), "??");
    EXPECT_EQ(EncodeCp1252(u"x\U0001F600y"), "x?y");  // a surrogate pair is one character
    EXPECT_EQ(EncodeCp1252(u"\xD800z"), "?z");        // lone surrogate
}

TEST(Utf8, RoundTripAndMalformedInput)
{
    const std::u16string text = u"Grüße \u4E2D \U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"ß"), "\xC3\x9F");
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");          // cut off
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(Utf8ToUtf16("\xFF"
                          "b"),
              u"\uFFFD"
              "b");
}
