// Dates shown and typed as German dates in the customer window, other values as they are.
#include "customers/CustomerFieldText.h"

#include <gtest/gtest.h>

TEST(CustomerFieldText, DatesAreShownAndTakenAsGermanDates)
{
    const DbfField date{u"Seit", 'D', 8, 0};
    const DbfField number{u"Umsatz", 'N', 10, 2};
    EXPECT_EQ(CustomerFieldText::Shown(date, u"20260305"), u"05.03.2026");
    EXPECT_EQ(CustomerFieldText::Shown(date, u""), u"");
    EXPECT_EQ(CustomerFieldText::Shown(date, u"2026030"), u"2026030");  // not a whole date: as stored
    EXPECT_EQ(CustomerFieldText::Shown(number, u"12.50"), u"12.50");
    EXPECT_EQ(CustomerFieldText::Shown(DbfField::Character(u"Ort", 8), u"20260305"), u"20260305");

    const std::vector<std::pair<std::u16string, std::u16string>> typed = {
        {u"5.3.2026", u"20260305"},
        {u"05.03.2026", u"20260305"},
        {u" 31.12.99 ", u"20991231"},
        {u"20260305", u"20260305"},
        {u"", u""},
        {u"5.3.", u"5.3."},
        {u"5.3.026", u"5.3.026"},
        {u"a.b.2026", u"a.b.2026"},
        {u"123.3.2026", u"123.3.2026"},
    };
    for (const auto& [in, out] : typed)
        EXPECT_EQ(CustomerFieldText::ToStore(date, in), out) << std::string(in.begin(), in.end());
    EXPECT_EQ(CustomerFieldText::ToStore(number, u"5.3.2026"), u"5.3.2026");
    EXPECT_TRUE(CustomerFieldText::RightAligned(number));
    EXPECT_FALSE(CustomerFieldText::RightAligned(date));
}
