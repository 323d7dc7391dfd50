#include "pdf/PdfNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

TEST(PdfNumbers, ColourComponentsAsPublished)
{
    EXPECT_EQ(ColourComponentText(0), "0");
    EXPECT_EQ(ColourComponentText(255), "1");
    EXPECT_EQ(ColourComponentText(51), "0.2");
    EXPECT_EQ(ColourComponentText(1), "0.00392156862745098");
    // A double quotient rounded to 15 digits gives a different last digit for these four.
    EXPECT_EQ(ColourComponentText(128), "0.501960784313725");
    EXPECT_EQ(ColourComponentText(178), "0.698039215686275");
    EXPECT_EQ(ColourComponentText(180), "0.705882352941176");
    EXPECT_EQ(ColourComponentText(227), "0.890196078431373");
    EXPECT_EQ(ColourComponentText(230), "0.901960784313725");
    EXPECT_EQ(ColourComponentText(102), "0.4");
    EXPECT_EQ(ColourComponentText(3), "0.0117647058823529");
}

TEST(PdfNumbers, EveryComponentIsFifteenDigitsOfTheQuotientWithAFullStop)
{
    for (int c = 1; c < 255; ++c) {
        const std::string text = ColourComponentText(uint8_t(c));
        ASSERT_EQ(text.compare(0, 2, "0."), 0) << c;
        EXPECT_EQ(text.find_first_not_of("0123456789.", 0), std::string::npos) << text;
        EXPECT_NE(text.back(), '0') << text;
        // Significant digits: the digits after the leading zeros.
        const size_t first = text.find_first_not_of("0.", 0);
        EXPECT_LE(text.size() - first, 15u) << text;
        // Within half a unit of the last of those 15 places of the exact quotient.
        const long double value = std::strtold(text.c_str(), nullptr);
        const long double exact = static_cast<long double>(c) / 255.0L;
        const long double unit = std::pow(10.0L, -static_cast<long double>(first - 2 + 15));
        EXPECT_LE(std::fabs(value - exact), unit / 2 * (1 + 1e-6L)) << text;
    }
}

TEST(PdfNumbers, ColourIsRedGreenBlueFromTheLowByte)
{
    std::string out;
    AppendColour(out, 0x00E38000);  // red 0, green 128, blue 227
    EXPECT_EQ(out, "0 0.501960784313725 0.890196078431373");
    out.clear();
    AppendColour(out, 0xFF0000FF);  // a higher byte is ignored
    EXPECT_EQ(out, "1 0 0");
}

TEST(PdfNumbers, ScalingToThousandthsOfAnEm)
{
    EXPECT_EQ(ScaleToThousandths(0), 0);
    EXPECT_EQ(ScaleToThousandths(1), 83);
    EXPECT_EQ(ScaleToThousandths(2), 166);
    EXPECT_EQ(ScaleToThousandths(3), 249);
    EXPECT_EQ(ScaleToThousandths(6), 499);
    EXPECT_EQ(ScaleToThousandths(7), 583);
    EXPECT_EQ(ScaleToThousandths(12), 999);
    EXPECT_EQ(ScaleToThousandths(-3), -249);
    EXPECT_EQ(ScaleToThousandths(-4), -333);
}

TEST(PdfNumbers, ScalingMatchesTheExtendedProductWithTheDoubleFactor)
{
    // p times the double nearest 1000/12, multiplied in extended precision and truncated.
    const double factor = 1000.0 / 12.0;
    for (int p = -3000; p <= 3000; ++p) {
        const long double product = static_cast<long double>(p) * static_cast<long double>(factor);
        EXPECT_EQ(ScaleToThousandths(p), static_cast<int32_t>(std::trunc(product))) << p;
    }
}

TEST(PdfNumbers, IntegersAndPadding)
{
    EXPECT_EQ(IntText(0), "0");
    EXPECT_EQ(IntText(-333), "-333");
    EXPECT_EQ(IntText(1234567), "1234567");
    std::string out;
    AppendPadded(out, 9, 10);
    out += ' ';
    AppendPadded(out, 65535, 5);
    EXPECT_EQ(out, "0000000009 65535");
}
