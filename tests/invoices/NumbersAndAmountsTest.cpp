// Number texts, price entry and numbering.
#include "invoices/Amounts.h"
#include "invoices/NumberText.h"
#include "invoices/Numbering.h"
#include "invoices/RechnungEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <gtest/gtest.h>

#include <limits>

TEST(NumberText, FixedTwoDecimalsWithTheLocaleSeparator)
{
    EXPECT_EQ(FormatFixed2(1, u','), u"1,00");
    EXPECT_EQ(FormatFixed2(19, u','), u"19,00");
    EXPECT_EQ(FormatFixed2(119, u','), u"119,00");
    EXPECT_EQ(FormatFixed2(119, u'.'), u"119.00");
    EXPECT_EQ(FormatFixed2(1234567.891, u','), u"1234567,89");
    EXPECT_EQ(FormatFixed2(111.21495327102804, u','), u"111,21");
    EXPECT_EQ(FormatFixed2(-7.5, u','), u"-7,50");
    EXPECT_EQ(FormatFixed2(0, u','), u"0,00");
    EXPECT_EQ(FormatFixed2(1e20, u','), u"100000000000000000000,00");
}

TEST(NumberText, HalvesRoundAwayFromZeroOnTheDecimalDigits)
{
    EXPECT_EQ(FormatFixed2(0.125, u','), u"0,13");
    EXPECT_EQ(FormatFixed2(1.005, u','), u"1,01");
    EXPECT_EQ(FormatFixed2(-1.005, u','), u"-1,01");
    EXPECT_EQ(FormatFixed2(0.005, u','), u"0,01");
    EXPECT_EQ(FormatFixed2(0.0049, u','), u"0,00");
    EXPECT_EQ(FormatFixed2(-0.001, u','), u"0,00");
    EXPECT_EQ(FormatFixed2(9.995, u','), u"10,00");
    EXPECT_EQ(FormatFixed2(99.999, u','), u"100,00");
    EXPECT_DOUBLE_EQ(RoundTwo(19.999), 20.0);
    EXPECT_DOUBLE_EQ(RoundTwo(2.675), 2.68);
}

TEST(NumberText, NotANumberAndInfinity)
{
    EXPECT_EQ(FormatFixed2(std::numeric_limits<double>::quiet_NaN(), u','), u"NAN");
    EXPECT_EQ(FormatFixed2(std::numeric_limits<double>::infinity(), u','), u"INF");
    EXPECT_EQ(FormatFixed2(-std::numeric_limits<double>::infinity(), u','), u"-INF");
}

TEST(NumberText, GeneralNotationIsShortest)
{
    EXPECT_EQ(FormatGeneral(10, u','), u"10");
    EXPECT_EQ(FormatGeneral(12.5, u','), u"12,5");
    EXPECT_EQ(FormatGeneral(12.5, u'.'), u"12.5");
    EXPECT_EQ(FormatGeneral(0.1, u','), u"0,1");
    EXPECT_EQ(FormatGeneral(0.00001, u','), u"0,00001");
    EXPECT_EQ(FormatGeneral(-3, u','), u"-3");
    EXPECT_EQ(FormatGeneral(0, u','), u"0");
    EXPECT_EQ(FormatGeneral(1e-7, u','), u"1E-7");
    EXPECT_EQ(FormatGeneral(1.5e20, u','), u"1,5E20");
    EXPECT_EQ(FormatGeneral(123456789012345.0, u','), u"123456789012345");
}

TEST(NumberText, ParsingReadsTheLocaleFormatOnly)
{
    EXPECT_EQ(ParseNumber(u"19", u','), 19.0);
    EXPECT_EQ(ParseNumber(u"19,00", u','), 19.0);
    EXPECT_EQ(ParseNumber(u" 19,5 ", u','), 19.5);
    EXPECT_EQ(ParseNumber(u"-7", u','), -7.0);
    EXPECT_EQ(ParseNumber(u"+7", u','), 7.0);
    EXPECT_EQ(ParseNumber(u",5", u','), 0.5);
    EXPECT_EQ(ParseNumber(u"1,5E2", u','), 150.0);
    EXPECT_EQ(ParseNumber(u"19.00", u'.'), 19.0);
    for (const char16_t* bad : {u"", u" ", u"abc", u"19.00", u"1,2,3", u"19 %", u"1e", u"-", u",", u"1e999"})
        EXPECT_FALSE(ParseNumber(bad, u',')) << static_cast<int>(bad[0]);
}

TEST(Amounts, GrossAndNetConversion)
{
    EXPECT_EQ(FormatFixed2(*NettoPreis(119, 19), u','), u"100,00");
    EXPECT_EQ(FormatFixed2(BruttoPreis(100, 7), u','), u"107,00");
    // Changing the rate keeps the gross price; the net price follows.
    EXPECT_EQ(FormatFixed2(*NettoPreis(119, 7), u','), u"111,21");
    EXPECT_DOUBLE_EQ(*NettoPreis(80, 100), 40.0);
    EXPECT_DOUBLE_EQ(*NettoPreis(50, 0), 50.0);
}

TEST(Amounts, RateTextThatCannotBeReadOrMinusHundredIsNoRate)
{
    EXPECT_EQ(ReadRate(u"19", u','), 19.0);
    EXPECT_EQ(ReadRate(u"7,00", u','), 7.0);
    EXPECT_FALSE(ReadRate(u"abc", u','));
    EXPECT_FALSE(ReadRate(u"-100", u','));
    EXPECT_FALSE(ReadRate(u"-100,00", u','));
    EXPECT_EQ(ReadRate(u"-50", u','), -50.0);
    // A record that holds −100 from elsewhere gives no net price instead of a division by 0.
    EXPECT_FALSE(NettoPreis(119, -100));
    EXPECT_EQ(BruttoPreis(100, -100), 0.0);
}

TEST(Amounts, DiscountRule)
{
    EXPECT_DOUBLE_EQ(RabattPreis(200, 10), 180.0);
    EXPECT_EQ(u"Beratung" + RabattText(10, u','), u"Beratung Rabatt 10%");
    EXPECT_EQ(RabattText(12.5, u','), u" Rabatt 12,5%");
    // Twice applies twice.
    EXPECT_DOUBLE_EQ(RabattPreis(RabattPreis(200, 10), 10), 162.0);
}

TEST(Numbering, SequentialNumbersWithPrefix)
{
    TRechnungSettings settings;
    settings.RechNrVorherEd = u"RE-";
    EXPECT_EQ(TakeRechNr(settings), u"RE-6300000");
    EXPECT_EQ(settings.ARegNrEd, 6300001);
    EXPECT_EQ(TakeRechNr(settings), u"RE-6300001");
    EXPECT_EQ(CounterText(settings.ARegNrEd), u"6300002");
}

TEST(Numbering, OtherModesGiveNoNumberAndKeepTheCounter)
{
    TRechnungBook book;
    book.now = [] { return 46086.0 + (9 * 60 + 7) / 1440.0; };
    ASSERT_TRUE(NeueRechnung(book));  // 6300000
    book.settings.RegNrMode = TRegNrMode::NoRegNr;
    ASSERT_TRUE(NeueRechnung(book));
    book.settings.RegNrMode = TRegNrMode::rechnrdatecheck;
    ASSERT_TRUE(NeueRechnung(book));
    book.settings.RegNrMode = TRegNrMode::CountRegNr;
    ASSERT_TRUE(NeueRechnung(book));
    EXPECT_EQ(TextOf(book.Rechnung(0).rechnr), u"6300000");
    EXPECT_EQ(TextOf(book.Rechnung(1).rechnr), u"");
    EXPECT_EQ(TextOf(book.Rechnung(2).rechnr), u"");
    EXPECT_EQ(TextOf(book.Rechnung(3).rechnr), u"6300001");
    EXPECT_EQ(book.settings.ARegNrEd, 6300002);
}

TEST(Numbering, TheModeAtLayoutTimeDecides)
{
    TRechnungBook book;
    book.now = [] { return 46086.0 + (9 * 60 + 7) / 1440.0; };
    ASSERT_TRUE(NeueRechnung(book));
    const TRechnungRec& r = book.Rechnung(0);
    EXPECT_EQ(DocumentNumber(book.settings, r), u"6300000");
    book.settings.RegNrMode = TRegNrMode::rechnrdatecheck;
    EXPECT_EQ(DocumentNumber(book.settings, r), u"202603050907");
    book.Rechnung(0).datum = 46087.0;  // a date chosen in the date field has no time
    EXPECT_EQ(DocumentNumber(book.settings, r), u"202603060000");
    book.settings.RegNrMode = TRegNrMode::NoRegNr;
    EXPECT_EQ(DocumentNumber(book.settings, r), u"");
}

TEST(Numbering, CounterTextReadsWholeNumbersOnly)
{
    int64_t counter = 5;
    EXPECT_TRUE(ReadCounterText(u"6300000", counter));
    EXPECT_EQ(counter, 6300000);
    EXPECT_TRUE(ReadCounterText(u" -12 ", counter));
    EXPECT_EQ(counter, -12);
    for (const char16_t* bad : {u"", u"abc", u"12,5", u"1e3", u"99999999999999999999"}) {
        EXPECT_FALSE(ReadCounterText(bad, counter));
        EXPECT_EQ(counter, -12);
    }
}

TEST(Settings, DefaultsAsTheWindowShowsThemFirst)
{
    const TRechnungSettings s;
    EXPECT_EQ(s.FirmaED2, u"FirmaED");
    EXPECT_EQ(s.StrasseEd2, u"StraßeEd");
    EXPECT_EQ(s.HomepageEd2, u"");
    EXPECT_EQ(s.FussEd, u"Bankverbindung: Sparkasse XAZ,  IBAN.:DE4234293429 BIC: 4345345545");
    EXPECT_EQ(s.RandXED, 15);
    EXPECT_EQ(s.AnschriftYED, 45);
    EXPECT_EQ(s.AdrXEd, 130);
    EXPECT_DOUBLE_EQ(s.LineSTEd, 0.1);
    EXPECT_TRUE(s.FootCentCheck);
    EXPECT_TRUE(s.underlinekopfusscheck);
    EXPECT_TRUE(s.LieferNoWertCheck);
    EXPECT_FALSE(s.NoMwstCheck);
    EXPECT_FALSE(s.OwnBirefpapierCheck);
    EXPECT_EQ(s.RegNrMode, TRegNrMode::CountRegNr);
    EXPECT_EQ(s.ARegNrEd, 6300000);
    EXPECT_DOUBLE_EQ(s.BreitEd, 170);
    EXPECT_EQ(s.WaehrEd, u"€");
    const TFontSetting* fonts[] = {&s.FontDialog1, &s.FontDialog2, &s.FontDialog3, &s.FontDialog4, &s.FontDialog5,
                                   &s.FontDialog6, &s.FontDialog7, &s.FontDialog8, &s.FontDialog9};
    const int sizes[] = {11, 16, 8, 14, 9, 11, 9, 11, 11};
    const bool bold[] = {false, false, false, true, false, false, false, false, true};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(fonts[i]->name, u"Arial");
        EXPECT_EQ(fonts[i]->size, sizes[i]) << i;
        EXPECT_EQ(fonts[i]->style, bold[i] ? TFontSetting::Bold : 0) << i;
        EXPECT_EQ(fonts[i]->color, 0);
        EXPECT_EQ(fonts[i]->charset, 1);
        EXPECT_EQ(fonts[i]->pixelsPerInch, 96);
    }
    EXPECT_EQ(TRechnungSettings(120).FontDialog4.pixelsPerInch, 120);
    EXPECT_EQ(TRechnungSettings(120).FontDialog4.size, 14);
}
