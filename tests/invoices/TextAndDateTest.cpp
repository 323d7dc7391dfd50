// Text buffers and date-time values of the invoice records.
#include "foundation/Utf8.h"
#include "invoices/DateTime.h"
#include "invoices/Numbering.h"
#include "invoices/TextBuf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

double Date(int y, int m, int d, int h = 0, int min = 0)
{
    TDateTimeParts parts;
    parts.year = y;
    parts.month = m;
    parts.day = d;
    parts.hour = h;
    parts.minute = min;
    double value = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(EncodeDateTime(parts, value));
    return value;
}

}

TEST(TextBuf, EmptyTextGetsABufferHoldingOnlyTheTerminator)
{
    char16_t* field = nullptr;
    NewTextBuf(&field, u"");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field[0], u'\0');
    EXPECT_EQ(TextOf(field), u"");
    ReleaseTextBuf(&field);
    EXPECT_EQ(field, nullptr);
    EXPECT_EQ(TextOf(field), u"");
}

TEST(TextBuf, SettingAFieldReplacesItsBuffer)
{
    char16_t* field = nullptr;
    SetTextBuf(&field, u"Straße");
    EXPECT_EQ(TextOf(field), u"Straße");
    EXPECT_EQ(field[6], u'\0');
    SetTextBuf(&field, TextOf(field).substr(0, 3));  // from its own text
    EXPECT_EQ(TextOf(field), u"Str");
    ReleaseTextBuf(&field);
}

TEST(TextBuf, ManyBuffersOfEverySizeKeepTheirTextsThroughReleasesAndReuse)
{
    // Short texts come from a pool with size classes and free lists, long ones are blocks
    // of their own; texts must never overlap whatever the order of making and releasing.
    std::mt19937 random(11);
    std::vector<char16_t*> fields(3000, nullptr);
    std::vector<std::u16string> texts(fields.size());
    for (int round = 0; round < 6; ++round) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (random() % 3 == 0) {
                ReleaseTextBuf(&fields[i]);
                texts[i].clear();
                continue;
            }
            const size_t length = random() % 7 == 0 ? 200 + random() % 400 : random() % 40;
            std::u16string text(length, u'\0');
            for (char16_t& c : text)
                c = static_cast<char16_t>(u'A' + random() % 26 + (random() % 5 == 0 ? 0x100 : 0));
            SetTextBuf(&fields[i], text);
            texts[i] = text;
        }
        for (size_t i = 0; i < fields.size(); ++i)
            ASSERT_EQ(TextOf(fields[i]), texts[i]) << "round " << round << " field " << i;
    }
    for (char16_t*& field : fields)
        ReleaseTextBuf(&field);
    // Once everything is back, new buffers are made in order again.
    char16_t* a = nullptr;
    char16_t* b = nullptr;
    NewTextBuf(&a, u"erster");
    NewTextBuf(&b, u"zweiter");
    EXPECT_EQ(TextOf(a), u"erster");
    EXPECT_EQ(TextOf(b), u"zweiter");
    ReleaseTextBuf(&a);
    ReleaseTextBuf(&b);
}

TEST(DateTime, DayZeroIsThe30thOfDecember1899)
{
    EXPECT_EQ(Date(1899, 12, 30), 0.0);
    EXPECT_EQ(Date(1900, 1, 1), 2.0);
    EXPECT_EQ(Date(2000, 1, 1), 36526.0);
    EXPECT_EQ(Date(2026, 3, 5), 46086.0);
    EXPECT_EQ(Date(2026, 3, 5, 12, 0), 46086.5);
    EXPECT_EQ(Date(1, 1, 1), -693593.0);
    EXPECT_EQ(Date(9999, 12, 31), 2958465.0);
}

TEST(DateTime, DecodeGivesBackDateAndTime)
{
    for (double value : {0.0, 2.0, 36526.0, 46086.37986111111, 59.0, 60.0, 61.0, -693593.0, 2958465.75}) {
        TDateTimeParts parts;
        ASSERT_TRUE(DecodeDateTime(value, parts)) << value;
        double back = 0;
        ASSERT_TRUE(EncodeDateTime(parts, back));
        EXPECT_NEAR(back, value, 1e-8) << value;
    }
    TDateTimeParts parts;
    ASSERT_TRUE(DecodeDateTime(Date(2024, 2, 29, 23, 59), parts));
    EXPECT_EQ(parts.year, 2024);
    EXPECT_EQ(parts.month, 2);
    EXPECT_EQ(parts.day, 29);
    EXPECT_EQ(parts.hour, 23);
    EXPECT_EQ(parts.minute, 59);
}

TEST(DateTime, DaysBeforeDayZeroCountBackAndAddTheTime)
{
    TDateTimeParts parts;
    ASSERT_TRUE(DecodeDateTime(-1.25, parts));
    EXPECT_EQ(parts.year, 1899);
    EXPECT_EQ(parts.month, 12);
    EXPECT_EQ(parts.day, 29);
    EXPECT_EQ(parts.hour, 6);
    EXPECT_EQ(Date(1899, 12, 29, 6, 0), -1.25);
}

TEST(DateTime, InvalidDatesAndValuesAreRefused)
{
    TDateTimeParts parts;
    double value = 0;
    parts = {1900, 2, 29, 0, 0, 0, 0};
    EXPECT_FALSE(EncodeDateTime(parts, value));
    parts = {2000, 2, 29, 0, 0, 0, 0};
    EXPECT_TRUE(EncodeDateTime(parts, value));
    parts = {2000, 13, 1, 0, 0, 0, 0};
    EXPECT_FALSE(EncodeDateTime(parts, value));
    parts = {2000, 1, 1, 24, 0, 0, 0};
    EXPECT_FALSE(EncodeDateTime(parts, value));
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300, -1e300,
                       2958466.0, -693594.0})
        EXPECT_FALSE(DecodeDateTime(bad, parts)) << bad;
}

TEST(DateTime, AFractionJustBelowMidnightBecomesTheNextDay)
{
    TDateTimeParts parts;
    ASSERT_TRUE(DecodeDateTime(46086.0 + (86400000.0 - 0.2) / 86400000.0, parts));
    EXPECT_EQ(parts.day, 6);
    EXPECT_EQ(parts.hour, 0);
    EXPECT_EQ(parts.minute, 0);
}

TEST(DateTime, ShortDateTextFollowsTheGivenFormat)
{
    const double d = Date(2026, 3, 5, 9, 7);
    EXPECT_EQ(ShortDateText(d, kGermanShortDate), u"05.03.2026");
    EXPECT_EQ(ShortDateText(d, u"dd.MM.yy"), u"05.03.26");
    EXPECT_EQ(ShortDateText(d, u"M/d/yy"), u"3/5/26");
    EXPECT_EQ(ShortDateText(d, u"yyyy-MM-dd"), u"2026-03-05");
    EXPECT_EQ(ShortDateText(d, u"d 'de' MM"), u"5 de 03");
    EXPECT_EQ(ShortDateText(d, u"dd''MM"), u"05'03");
    EXPECT_EQ(ShortDateText(0, kGermanShortDate), u"30.12.1899");
    EXPECT_EQ(ShortDateText(std::numeric_limits<double>::quiet_NaN(), kGermanShortDate), u"");
}

TEST(DateTime, ShortDatePatternsGetFourDigitYears)
{
    const struct {
        const char16_t* pattern;
        const char16_t* widened;
    } cases[] = {
        {u"dd.MM.yy", u"dd.MM.yyyy"},          // German
        {u"M/d/yy", u"M/d/yyyy"},              // English (US)
        {u"dd/MM/yyyy", u"dd/MM/yyyy"},        // English (UK), French: already four digits
        {u"yy. M. d.", u"yyyy. M. d."},        // Korean: the year first
        {u"d.MM.yy 'г'.", u"d.MM.yyyy 'г'."},  // Bulgarian: quoted text stays
        {u"dd.MM.yy 'yy'", u"dd.MM.yyyy 'yy'"},
        {u"yy'''yy'''yy", u"yyyy'''yy'''yyyy"},  // '' is a quote, inside quotes and outside
        {u"dd''yy", u"dd''yyyy"},
        {u"d.M.y", u"d.M.yyyy"},
        {u"d.M.yyy", u"d.M.yyyy"},
        {u"yyyyy", u"yyyyy"},
        {u"dd.MM.'yy", u"dd.MM.'yy"},  // an unclosed quote runs to the end
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithFourDigitYear(c.pattern), c.widened) << Utf16ToUtf8(c.pattern);
    EXPECT_EQ(ShortDateText(46086, WithFourDigitYear(u"dd.MM.yy")), u"05.03.2026");
    EXPECT_EQ(ShortDateText(46086, WithFourDigitYear(u"d.MM.yy 'г'.")), u"5.03.2026 г.");
}

TEST(DateTime, CurrentDateTimeIsToday)
{
    const double now = CurrentDateTime();
    EXPECT_GT(now, Date(2020, 1, 1));
    EXPECT_LT(now, Date(2100, 1, 1));
    EXPECT_NE(now, std::floor(now));  // carries the time of day (fails only at 00:00:00.000)
}

TEST(Numbering, DateNumberIsYearMonthDayHourMinute)
{
    EXPECT_EQ(DateNumber(Date(2026, 3, 5, 9, 7)), u"202603050907");
    EXPECT_EQ(DateNumber(Date(2026, 3, 6)), u"202603060000");
    EXPECT_EQ(DateNumber(Date(999, 1, 2, 3, 4)), u"099901020304");
    EXPECT_EQ(DateNumber(std::numeric_limits<double>::quiet_NaN()), u"");
}
