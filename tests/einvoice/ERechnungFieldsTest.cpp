// The electronic invoice fields of an invoice stay with it: through sorting and search,
// into a copy ("Neu aus best. Rechnung" takes the buyer's data, not the dates), not into a
// new invoice, and away with it when it is deleted.
#include "invoices/DateTime.h"
#include "invoices/RechnungEdit.h"
#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <gtest/gtest.h>

namespace {

uint32_t Invoice(TRechnungBook& book, const std::u16string& name, const std::u16string& reference, uint8_t category)
{
    const uint32_t i = *NeueRechnung(book);
    TRechnungRec& r = book.Rechnung(i);
    SetTextBuf(&r.name, name);
    SetTextBuf(&r.kaeuferref, reference);
    SetTextBuf(&r.kaeuferustid, u"ATU" + name);
    SetTextBuf(&r.befreiung, u"Grund " + name);
    r.nullkategorie = category;
    r.leistungvon = 46000 + category;
    r.faellig = 46100 + category;
    return i;
}

// Each invoice's name still goes with its own data.
void ExpectTogether(const TRechnungBook& book)
{
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        const TRechnungRec& r = book.Rechnung(i);
        const std::u16string name(TextOf(r.name));
        EXPECT_EQ(TextOf(r.kaeuferustid), u"ATU" + name);
        EXPECT_EQ(TextOf(r.befreiung), u"Grund " + name);
        EXPECT_EQ(r.leistungvon, 46000 + r.nullkategorie);
        EXPECT_EQ(r.faellig, 46100 + r.nullkategorie);
    }
}

}

TEST(ERechnungFields, SortingAndSearchMoveTheDataWithTheirInvoice)
{
    TRechnungBook book;
    Invoice(book, u"Zeta", u"L-Z", 1);
    Invoice(book, u"Alpha", u"L-A", 2);
    Invoice(book, u"Mitte", u"L-M", 3);
    ASSERT_TRUE(SortRechnungen(book, 3));  // by name
    EXPECT_EQ(TextOf(book.Rechnung(0).name), u"Alpha");
    EXPECT_EQ(TextOf(book.Rechnung(0).kaeuferref), u"L-A");
    ExpectTogether(book);
    SearchRechnungen(book, u"Zeta", kGermanShortDate);
    EXPECT_EQ(TextOf(book.Rechnung(0).kaeuferref), u"L-Z");
    ExpectTogether(book);
}

TEST(ERechnungFields, ACopyTakesTheBuyersDataButNotTheDatesAndANewInvoiceNothing)
{
    TRechnungBook book;
    const uint32_t source = Invoice(book, u"Quelle", u"04011000-1", 4);
    SetTextBuf(&book.Rechnung(source).kaeuferadresse, u"einkauf@quelle.example");
    SetTextBuf(&book.Rechnung(source).kaeuferland, u"CH");
    book.Rechnung(source).leistungbis = 46030;
    const auto copy = NeueRechnungAus(book, TexteVon(book.Rechnung(source)), false);
    ASSERT_TRUE(copy);
    const TRechnungRec& c = book.Rechnung(*copy);
    EXPECT_EQ(TextOf(c.kaeuferref), u"04011000-1");
    EXPECT_EQ(TextOf(c.kaeuferustid), u"ATUQuelle");
    EXPECT_EQ(TextOf(c.kaeuferadresse), u"einkauf@quelle.example");
    EXPECT_EQ(TextOf(c.kaeuferland), u"CH");
    EXPECT_EQ(TextOf(c.befreiung), u"Grund Quelle");
    EXPECT_EQ(c.nullkategorie, 4);
    EXPECT_NE(c.kaeuferref, book.Rechnung(source).kaeuferref);  // texts of its own
    // The dates belong to the invoice they were set for: the copy follows its own date.
    EXPECT_EQ(c.leistungvon, 0.0);
    EXPECT_EQ(c.leistungbis, 0.0);
    EXPECT_EQ(c.faellig, 0.0);

    const auto fresh = NeueRechnung(book);
    ASSERT_TRUE(fresh);
    const TRechnungRec& n = book.Rechnung(*fresh);
    for (TRechnungText field : kERechnungTexte)
        EXPECT_EQ(TextOf(n.*field), u"");
    EXPECT_EQ(n.nullkategorie, 0);
    EXPECT_EQ(n.leistungvon, 0.0);
    EXPECT_EQ(n.faellig, 0.0);
}

TEST(ERechnungFields, DeletingAnInvoiceKeepsTheOthersData)
{
    TRechnungBook book;
    Invoice(book, u"Eins", u"L-1", 1);
    Invoice(book, u"Zwei", u"L-2", 2);
    Invoice(book, u"Drei", u"L-3", 3);
    ASSERT_TRUE(DeleteRechnung(book, 1));
    ASSERT_EQ(book.RechnungCount(), 2u);
    EXPECT_EQ(TextOf(book.Rechnung(1).kaeuferref), u"L-3");
    ExpectTogether(book);
}
