// Byte layout of save.dat as written, checked against bytes composed by hand.
#include "SaveDatBytes.h"
#include "VariedBook.h"

#include "foundation/MemoryByteSink.h"
#include "invoices/PositionEdit.h"
#include "invoices/RechnungEdit.h"
#include "invoices/SaveDatWriter.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <gtest/gtest.h>

namespace {

std::string Written(const TRechnungBook& book)
{
    MemoryByteSink sink;
    SaveDatWriter(book).Write(sink);
    return sink.Bytes();
}

std::string Hex(const std::string& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

}

TEST(SaveDatFormat, EmptyBookIsTwoZeroCountsThenEverySettingsSection)
{
    TRechnungBook book;
    const std::string expected = FileBytes().I32(0).I32(0).Str() + DefaultSettingsSections();
    EXPECT_EQ(Hex(Written(book)), Hex(expected));
    EXPECT_EQ(SectionEnds(expected).size(), 22u);
}

TEST(SaveDatFormat, DefaultFontDialog1IsSpelledOutByteForByte)
{
    TRechnungBook book;
    const std::string file = Written(book);
    // Section 4 starts after the invoices, articles and section 3; it opens with the two
    // texts, the centred-footer flag and the numbering mode.
    const size_t section4 = SectionEnds(file)[2];
    const size_t font1 = section4 + 4 + 7 + 4 + 0 + 1 + 1;
    const std::string expected("\x01\x00\x00\x00\x00\x05"
                               "Arial"
                               "\x00\x60\x00\x00\x00\x0B\x00\x00\x00\x00",
                               21);
    EXPECT_EQ(Hex(file.substr(font1, 21)), Hex(expected));
}

TEST(SaveDatFormat, NewInvoiceWithoutPositions)
{
    TRechnungBook book;
    book.settings.RegNrMode = TRegNrMode::NoRegNr;
    book.now = [] { return 46086.5; };
    ASSERT_TRUE(NeueRechnung(book));
    const std::string file = Written(book);
    FileBytes invoice;
    invoice.I32(1);
    for (int i = 0; i < 13; ++i)
        invoice.I32(0);
    invoice.F64(46086.5).F64(0).F64(0).F64(0).I32(0);
    EXPECT_EQ(Hex(file.substr(0, invoice.Size())), Hex(invoice.Str()));
    EXPECT_EQ(file.substr(invoice.Size(), 4), std::string(4, '\0'));  // no articles
}

TEST(SaveDatFormat, PositionsStoreRatePriceQuantityAndArticlesNoQuantity)
{
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 2;
    TPositionRec& p = book.AppendPosition(0);
    SetTextBuf(&p.einheit, u"Stück");
    SetTextBuf(&p.artnr, u"A1");
    SetTextBuf(&p.bez, u"5 €");
    p.menge = 3;
    p.mwst = 19;
    p.preis = 119;
    TArtikelRec& a = book.AppendArtikel();
    a.menge = 4;  // not stored
    SetTextBuf(&a.artnr, u"B");
    a.mwst = 7;
    a.preis = 9.5;

    FileBytes expected;
    expected.I32(1);
    for (int i = 0; i < 13; ++i)
        expected.I32(0);
    expected.F64(2).F64(0).F64(0).F64(0).I32(1);
    expected
        .S8("St\xFC"
            "ck")
        .S8("A1")
        .S8("5 \x80")
        .F64(19)
        .F64(119)
        .F64(3);
    expected.I32(1).S8("").S8("B").S8("").F64(7).F64(9.5);
    const std::string file = Written(book);
    EXPECT_EQ(Hex(file.substr(0, expected.Size())), Hex(expected.Str()));
}

TEST(SaveDatFormat, InvoiceSectionsWithTwoInvoices)
{
    TRechnungBook book;
    book.now = [] { return 3.0; };
    book.settings.RechNrVorherEd = u"RE-";
    ASSERT_TRUE(NeueRechnung(book));
    ASSERT_TRUE(NeueRechnung(book));
    ASSERT_TRUE(NeuePosition(book, 0));
    ASSERT_TRUE(NeuePosition(book, 0));
    SetTextBuf(&book.Rechnung(1).lort, u"Graz");
    SetTextBuf(&book.Rechnung(0).bestelldatum, u"gestern");
    SetTextBuf(&book.Rechnung(1).ihrebestellung, u"Nr. 5");
    const std::string file = Written(book);
    const std::vector<size_t> ends = SectionEnds(file);
    ASSERT_EQ(ends.size(), 22u);

    // 6: counter text, count, numbers.
    const std::string s6 = file.substr(ends[4], ends[5] - ends[4]);
    EXPECT_EQ(Hex(s6), Hex(FileBytes().S8("6300002").I32(2).S8("RE-6300000").S8("RE-6300001").Str()));
    // 10: prefix, unit flag, second footer, count, nine texts per invoice.
    FileBytes s10;
    s10.S8("RE-").U8(0).S8("").I32(2);
    for (int i = 0; i < 9; ++i)
        s10.S8("");
    for (int i = 0; i < 8; ++i)
        s10.S8("");
    s10.S8("Graz");
    EXPECT_EQ(Hex(file.substr(ends[8], ends[9] - ends[8])), Hex(s10.Str()));
    // 11: third footer, count, order date and order reference per invoice.
    const std::string s11 = file.substr(ends[9], ends[10] - ends[9]);
    EXPECT_EQ(Hex(s11), Hex(FileBytes().S8("").I32(2).S8("gestern").S8("").S8("").S8("Nr. 5").Str()));
    // 19: per invoice its position count and a zero per position.
    const std::string s19 = file.substr(ends[17], ends[18] - ends[17]);
    EXPECT_EQ(Hex(s19), Hex(FileBytes().I32(2).I32(0).I32(0).I32(0).Str()));
}

TEST(SaveDatFormat, FlagsModeAndReservedBytesSitWhereTheLayoutSays)
{
    TRechnungBook book;
    FillVariedBook(book);
    const std::string file = Written(book);
    const std::vector<size_t> ends = SectionEnds(file);
    ASSERT_EQ(ends.size(), 22u);
    EXPECT_EQ(ends[21], file.size());
    auto byteAt = [&](size_t offset) { return static_cast<unsigned char>(file[offset]); };
    // Section 4: after "info@vestrik.example" and "www.vestrik.example".
    const size_t s4 = ends[2] + 4 + 20 + 4 + 19;
    EXPECT_EQ(byteAt(s4), 0);        // FootCentCheck off
    EXPECT_EQ(byteAt(s4 + 1), 1);    // date numbering
    EXPECT_EQ(byteAt(ends[5]), 1);   // 7 insertspaceline
    EXPECT_EQ(byteAt(ends[6]), 0);   // 8 underlinekopfusscheck
    EXPECT_EQ(byteAt(ends[10]), 1);  // 12 DonotShowAdressCheck
    EXPECT_EQ(byteAt(ends[12]), 0);  // 14 LieferNoWertCheck
    EXPECT_EQ(byteAt(ends[13]), 1);  // 15 BindestrichCheck
    EXPECT_EQ(byteAt(ends[14]), 1);  // 16 FirmaRechtsCheck
    EXPECT_EQ(byteAt(ends[16]), 1);  // 18 NoMwstCheck
    // 20: the reserved flags as they are.
    std::string flags(101, '\0');
    flags[0] = flags[57] = flags[100] = 1;
    EXPECT_EQ(file.substr(ends[18], 101), flags);
    // 21: text blocks as 16-bit records, characters outside Windows-1252 included.
    FileBytes blocks;
    blocks.I32(3).S16(u"Zahlung").S16(u"Zahlbar sofort\r\nohne Abzug.");
    blocks.S16(u"Grüße Ω").S16(u"Mit freundlichen Grüßen – 東京 😀").S16(u"").S16(u"");
    EXPECT_EQ(Hex(file.substr(ends[19], ends[20] - ends[19])), Hex(blocks.Str()));
}

TEST(SaveDatFormat, TextsOutsideWindows1252BecomeQuestionMarks)
{
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    SetTextBuf(&r.anrede, u"Ω中😀ä");
    const std::string file = Written(book);
    EXPECT_EQ(file.substr(4, 8), FileBytes().S8("???\xE4").Str());
}

TEST(SaveDatFormat, LongFontNameIsCutTo255Bytes)
{
    TRechnungBook book;
    book.settings.FontDialog9.name = std::u16string(300, u'x');
    const std::string file = Written(book);
    const std::vector<size_t> ends = SectionEnds(file);
    ASSERT_EQ(ends.size(), 22u);
    EXPECT_EQ(ends[21] - ends[20], 1 + 4 + 1 + 255 + 1 + 4 + 4 + 1u);
    EXPECT_EQ(static_cast<unsigned char>(file[ends[20] + 5]), 255);
}

TEST(SaveDatFormat, TextsLongerThanTheWriteBlockAreWrittenWhole)
{
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    const std::u16string longText(200000, u'ä');
    SetTextBuf(&r.rechtext, longText);
    book.settings.ListView4 = {{u"lang", std::u16string(100000, u'Ω')}};
    const std::string file = Written(book);
    const std::vector<size_t> ends = SectionEnds(file);
    ASSERT_EQ(ends.size(), 22u);
    EXPECT_EQ(file.substr(4 + 12 * 4, 4), FileBytes().I32(200000).Str());
    EXPECT_EQ(file.substr(4 + 13 * 4, 200000), std::string(200000, '\xE4'));
    EXPECT_EQ(ends[20] - ends[19], 4 + 4 + 8 + 4 + 200000u);
}
