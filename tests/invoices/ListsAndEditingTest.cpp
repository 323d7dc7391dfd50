// Sorting and searching the invoice and article lists, and the editing operations.
#include "foundation/TDynaArray.h"
#include "invoices/ArtikelList.h"
#include "invoices/DateTime.h"
#include "invoices/PositionEdit.h"
#include "invoices/RechnungEdit.h"
#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MemoryMessages.h"
#include "messages/MessageCatalog.h"
#include "support/ScriptedMessenger.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<std::u16string> Names(const TRechnungBook& book)
{
    std::vector<std::u16string> names;
    for (uint32_t i = 0; i < book.RechnungCount(); ++i)
        names.emplace_back(TextOf(book.Rechnung(i).name));
    return names;
}

uint32_t AddInvoice(TRechnungBook& book, const std::u16string& name, double datum)
{
    const uint32_t i = *NeueRechnung(book);
    SetTextBuf(&book.Rechnung(i).name, name);
    book.Rechnung(i).datum = datum;
    return i;
}

uint32_t AddArticle(TRechnungBook& book, const std::u16string& artnr, double preis, double mwst = 19)
{
    const uint32_t i = *NeuerArtikel(book);
    SetTextBuf(&book.Artikel(i).artnr, artnr);
    SetTextBuf(&book.Artikel(i).einheit, u"Stk");
    SetTextBuf(&book.Artikel(i).bez, u"Artikel " + artnr);
    book.Artikel(i).preis = preis;
    book.Artikel(i).mwst = mwst;
    return i;
}

}

TEST(RechnungList, ColumnsInListOrder)
{
    TRechnungBook book;
    const uint32_t i = AddInvoice(book, u"Adler", 46086.4);
    TRechnungRec& r = book.Rechnung(i);
    SetTextBuf(&r.anrede, u"Frau");
    SetTextBuf(&r.lort, u"Graz");
    SetTextBuf(&r.ihrebestellung, u"B-1");
    SetTextBuf(&r.rechtext, u"Text");
    EXPECT_EQ(RechnungColumnText(r, 0, kGermanShortDate), u"05.03.2026");
    EXPECT_EQ(RechnungColumnText(r, 1, kGermanShortDate), u"Frau");
    EXPECT_EQ(RechnungColumnText(r, 3, kGermanShortDate), u"Adler");
    EXPECT_EQ(RechnungColumnText(r, 10, kGermanShortDate), u"");  // not paid
    r.bezahlt = 46090;
    EXPECT_EQ(RechnungColumnText(r, 10, kGermanShortDate), u"09.03.2026");
    EXPECT_EQ(RechnungColumnText(r, 11, kGermanShortDate), u"6300000");
    EXPECT_EQ(RechnungColumnText(r, 12, kGermanShortDate), u"Text");
    EXPECT_EQ(RechnungColumnText(r, 24, kGermanShortDate), u"Graz");
    EXPECT_EQ(RechnungColumnText(r, 26, kGermanShortDate), u"B-1");
    EXPECT_EQ(RechnungColumnText(r, 27, kGermanShortDate), u"");
}

TEST(RechnungList, DateColumnTwiceSortsAscendingThenDescendingThenNameAscending)
{
    TRechnungBook book;
    AddInvoice(book, u"Zander", 46086.9);
    AddInvoice(book, u"bauer", 40000.0);
    AddInvoice(book, u"Adler", 46086.1);  // same day as Zander: the time does not count
    AddInvoice(book, u"Öztürk", 45000.0);
    ASSERT_TRUE(SortRechnungen(book, 0));
    EXPECT_EQ(book.sort1, 0);
    EXPECT_EQ(book.sricht, 0);
    auto names = Names(book);
    EXPECT_EQ(names[0], u"bauer");
    EXPECT_EQ(names[1], u"Öztürk");
    ASSERT_TRUE(SortRechnungen(book, 0));
    EXPECT_EQ(book.sricht, 1);
    names = Names(book);
    EXPECT_EQ(names[2], u"Öztürk");
    EXPECT_EQ(names[3], u"bauer");
    ASSERT_TRUE(SortRechnungen(book, 3));
    EXPECT_EQ(book.sort1, 3);
    EXPECT_EQ(book.sricht, 0);
    EXPECT_EQ(Names(book), (std::vector<std::u16string>{u"Adler", u"bauer", u"Zander", u"Öztürk"}));
    EXPECT_FALSE(SortRechnungen(book, 27));
    EXPECT_FALSE(SortRechnungen(book, -1));
}

TEST(RechnungList, DateKeysAreHexadecimal)
{
    TRechnungBook book;
    const uint32_t i = AddInvoice(book, u"x", 46086.75);
    EXPECT_EQ(RechnungSortKey(book.Rechnung(i), 0), u"7EA0305");
    EXPECT_EQ(RechnungSortKey(book.Rechnung(i), 10), u"76B0C1E");  // 0 is 30.12.1899
    SetTextBuf(&book.Rechnung(i).ort, u"münchen");
    EXPECT_EQ(RechnungSortKey(book.Rechnung(i), 9), u"MüNCHEN");
}

TEST(RechnungList, QuicksortOrdersLargeShuffledBooksAndKeepsRecordsWhole)
{
    TRechnungBook book;
    std::mt19937 random(7);
    for (int i = 0; i < 500; ++i) {
        const int v = static_cast<int>(random() % 200);  // many equal keys
        std::u16string name(3, u'N');
        name[1] = static_cast<char16_t>(u'A' + v / 26);
        name[2] = static_cast<char16_t>(u'a' + v % 26);
        const uint32_t k = AddInvoice(book, name, 40000 + v);
        SetTextBuf(&book.Rechnung(k).ort, name);  // travels with its record
        NeuePosition(book, k);
    }
    for (int column : {3, 0}) {
        for (int direction = 0; direction < 2; ++direction) {
            ASSERT_TRUE(SortRechnungen(book, column));
            for (uint32_t i = 0; i + 1 < book.RechnungCount(); ++i) {
                const std::u16string a = RechnungSortKey(book.Rechnung(i), column);
                const std::u16string b = RechnungSortKey(book.Rechnung(i + 1), column);
                if (book.sricht == 0)
                    ASSERT_LE(a, b);
                else
                    ASSERT_GE(a, b);
            }
        }
    }
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        EXPECT_EQ(TextOf(book.Rechnung(i).ort), TextOf(book.Rechnung(i).name));
        EXPECT_EQ(book.Rechnung(i).posis->Count(), 1u);
    }
}

TEST(RechnungList, SearchPutsExactCaseMatchesFirstAndHidesNothing)
{
    TRechnungBook book;
    AddInvoice(book, u"Adler", 46000);
    const uint32_t b = AddInvoice(book, u"Bauer", 46001);
    SetTextBuf(&book.Rechnung(b).lstrasse, u"bei Müller");
    AddInvoice(book, u"Clemens", 46002);
    const uint32_t d = AddInvoice(book, u"Dorn", 46003);
    SetTextBuf(&book.Rechnung(d).rechtext, u"Dank an Herrn Müller");
    AddInvoice(book, u"Müller", 46004);

    SearchRechnungen(book, u"müller", kGermanShortDate);
    EXPECT_EQ(book.RechnungCount(), 5u);
    int matchesOfLower = 0;
    for (uint32_t i = 0; i < book.RechnungCount(); ++i)
        matchesOfLower += RechnungMatches(book.Rechnung(i), u"müller", kGermanShortDate);
    EXPECT_EQ(matchesOfLower, 0);

    SearchRechnungen(book, u"Müller", kGermanShortDate);
    ASSERT_EQ(book.RechnungCount(), 5u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_TRUE(RechnungMatches(book.Rechnung(i), u"Müller", kGermanShortDate)) << i;
    for (uint32_t i = 3; i < 5; ++i)
        EXPECT_FALSE(RechnungMatches(book.Rechnung(i), u"Müller", kGermanShortDate)) << i;
}

TEST(RechnungList, SearchLooksAtDatesNumberAndUnpaidDate)
{
    TRechnungBook book;
    const uint32_t i = AddInvoice(book, u"x", 46086.5);
    const TRechnungRec& r = book.Rechnung(i);
    EXPECT_TRUE(RechnungMatches(r, u"05.03.", kGermanShortDate));
    EXPECT_TRUE(RechnungMatches(r, u"30.12.1899", kGermanShortDate));  // bezahlt 0
    EXPECT_TRUE(RechnungMatches(r, u"6300000", kGermanShortDate));
    EXPECT_FALSE(RechnungMatches(r, u"2025", kGermanShortDate));
}

TEST(RechnungEdit, NewInvoiceStartsEmptyNumberedAndDated)
{
    TRechnungBook book;
    book.now = [] { return 46086.25; };
    const auto i = NeueRechnung(book);
    ASSERT_TRUE(i);
    const TRechnungRec& r = book.Rechnung(*i);
    for (TRechnungText field : kRechnungTexte) {
        if (field != &TRechnungRec::rechnr) {
            ASSERT_NE(r.*field, nullptr);
            EXPECT_EQ((r.*field)[0], u'\0');
        }
    }
    EXPECT_EQ(TextOf(r.rechnr), u"6300000");
    EXPECT_EQ(r.datum, 46086.25);
    EXPECT_EQ(r.bezahlt, 0.0);
    ASSERT_NE(r.posis, nullptr);
    EXPECT_EQ(r.posis->Count(), 0u);
    EXPECT_EQ(book.arech, &book.Rechnung(*i));
}

TEST(RechnungEdit, NewInvoiceWithoutMemoryLeavesTheBookAndSaysSo)
{
    TRechnungBook book;
    const auto counter = book.settings.ARegNrEd;
    ScriptedMessenger messenger;
    TDynaArray::SetBlockAllocator([](size_t) -> void* { return nullptr; });
    const auto i = NeueRechnung(book);
    TDynaArray::SetBlockAllocator(nullptr);
    EXPECT_FALSE(i);
    EXPECT_EQ(book.RechnungCount(), 0u);
    EXPECT_EQ(book.settings.ARegNrEd, counter);
    ASSERT_FALSE(messenger.Errors().empty());
    EXPECT_EQ(messenger.Errors().back(), MemoryMessages::kOutOfMemory);
}

TEST(RechnungEdit, NewFromExistingCopiesTextsAndOptionallyTheArticles)
{
    TRechnungBook book;
    AddArticle(book, u"A", 1);
    AddArticle(book, u"B", 2);
    AddArticle(book, u"C", 3);
    const uint32_t source = AddInvoice(book, u"Quelle", 40000);
    SetTextBuf(&book.Rechnung(source).lort, u"Linz");
    SetTextBuf(&book.Rechnung(source).rechtext, u"Zeile 1\r\nZeile 2");
    book.Rechnung(source).bezahlt = 40010;
    NeuePosition(book, source);
    const TRechnungTexte texte = TexteVon(book.Rechnung(source));

    const auto withArticles = NeueRechnungAus(book, texte, true);
    ASSERT_TRUE(withArticles);
    const TRechnungRec& copy = book.Rechnung(*withArticles);
    EXPECT_EQ(TextOf(copy.name), u"Quelle");
    EXPECT_EQ(TextOf(copy.lort), u"Linz");
    EXPECT_EQ(TextOf(copy.rechtext), u"Zeile 1\r\nZeile 2");
    EXPECT_EQ(TextOf(copy.rechnr), u"6300001");
    EXPECT_EQ(copy.bezahlt, 0.0);
    ASSERT_EQ(copy.posis->Count(), 3u);
    for (uint32_t j = 0; j < 3; ++j) {
        const TPositionRec& p = book.Position(*withArticles, j);
        EXPECT_EQ(p.menge, 1.0);
        EXPECT_EQ(p.preis, double(j + 1));
        EXPECT_EQ(TextOf(p.artnr), std::u16string(1, char16_t(u'A' + j)));
        EXPECT_NE(p.artnr, book.Artikel(j).artnr);  // buffers of its own
    }

    const auto without = NeueRechnungAus(book, texte, false);
    ASSERT_TRUE(without);
    EXPECT_EQ(book.Rechnung(*without).posis->Count(), 0u);
    EXPECT_EQ(TextOf(book.Rechnung(*without).rechnr), u"6300002");
}

TEST(RechnungEdit, DeleteRemovesTheInvoiceAndOnlyYesConfirms)
{
    TRechnungBook book;
    AddInvoice(book, u"A", 1);
    const uint32_t b = AddInvoice(book, u"B", 2);
    AddInvoice(book, u"C", 3);
    NeuePosition(book, b);
    NeuePosition(book, b);
    EXPECT_TRUE(DeleteRechnung(book, b));
    EXPECT_EQ(Names(book), (std::vector<std::u16string>{u"A", u"C"}));
    EXPECT_EQ(book.aposi, nullptr);
    EXPECT_FALSE(DeleteRechnung(book, 2));
    EXPECT_TRUE(DeleteRechnung(book, 1));
    EXPECT_TRUE(DeleteRechnung(book, 0));
    EXPECT_EQ(book.RechnungCount(), 0u);
    EXPECT_EQ(book.settings.ARegNrEd, 6300003);  // deleting never moves the counter

    ScriptedMessenger messenger;
    messenger.AnswerNext(Messenger::Answer::No);
    messenger.AnswerNext(Messenger::Answer::Cancel);
    messenger.AnswerNext(Messenger::Answer::Yes);
    EXPECT_FALSE(AskDeleteRechnung());
    EXPECT_FALSE(AskDeleteRechnung());
    EXPECT_TRUE(AskDeleteRechnung());
    ASSERT_EQ(messenger.Boxes().size(), 3u);
    EXPECT_EQ(messenger.Boxes()[0].text, MessageText(131));
    EXPECT_EQ(messenger.Boxes()[0].title, MessageText(132));
}

TEST(PositionEdit, PositionsArraysGrowInStepsOfTen)
{
    TRechnungBook book;
    AddInvoice(book, u"A", 1);
    const TDynaArray& posis = *book.Rechnung(0).posis;
    EXPECT_EQ(posis.AMemSize(), 0u);
    NeuePosition(book, 0);
    EXPECT_EQ(posis.AMemSize(), 10 * sizeof(TPositionRec));
    for (int i = 0; i < 10; ++i)
        NeuePosition(book, 0);
    EXPECT_EQ(posis.AMemSize(), 20 * sizeof(TPositionRec));
    EXPECT_EQ(book.Position(0, 10).menge, 1.0);
    DeletePosition(book, 0, 0);
    EXPECT_EQ(posis.AMemSize(), 10 * sizeof(TPositionRec));
    // The invoices themselves keep the usual step of 100.
    EXPECT_EQ(book.rechs.AMemSize(), 100 * sizeof(TRechnungRec));
}

TEST(PositionEdit, NewPositionIsZeroWithQuantityOne)
{
    TRechnungBook book;
    AddInvoice(book, u"A", 1);
    const auto p = NeuePosition(book, 0);
    ASSERT_TRUE(p);
    const TPositionRec& pos = book.Position(0, *p);
    EXPECT_EQ(pos.einheit, nullptr);
    EXPECT_EQ(pos.artnr, nullptr);
    EXPECT_EQ(pos.bez, nullptr);
    EXPECT_EQ(pos.menge, 1.0);
    EXPECT_EQ(pos.mwst, 0.0);
    EXPECT_EQ(pos.preis, 0.0);
    EXPECT_EQ(PositionColumnText(pos, 0, u','), u"1,00");
    EXPECT_EQ(PositionColumnText(pos, 1, u','), u"");
    EXPECT_FALSE(NeuePosition(book, 1));
}

TEST(PositionEdit, PositionFromArticleTakesTheListTexts)
{
    TRechnungBook book;
    AddInvoice(book, u"A", 1);
    AddArticle(book, u"X-1", 19.994, 7);
    const auto p = NeuePositionAusArtikel(book, 0, 0, u',');
    ASSERT_TRUE(p);
    const TPositionRec& pos = book.Position(0, *p);
    EXPECT_EQ(pos.menge, 1.0);
    EXPECT_EQ(pos.mwst, 7.0);
    EXPECT_DOUBLE_EQ(pos.preis, 19.99);
    EXPECT_EQ(TextOf(pos.artnr), u"X-1");
    EXPECT_EQ(TextOf(pos.einheit), u"Stk");
    EXPECT_NE(pos.bez, book.Artikel(0).bez);
    EXPECT_FALSE(NeuePositionAusArtikel(book, 0, 1, u','));
}

TEST(PositionEdit, ArticleFromPositionHasQuantityOne)
{
    TRechnungBook book;
    AddInvoice(book, u"A", 1);
    const uint32_t p = *NeuePosition(book, 0);
    TPositionRec& pos = book.Position(0, p);
    pos.menge = 5;
    pos.mwst = 19;
    pos.preis = 119;
    SetTextBuf(&pos.bez, u"Montage");
    const auto a = ArtikelAusPosition(book, 0, p);
    ASSERT_TRUE(a);
    const TArtikelRec& art = book.Artikel(*a);
    EXPECT_EQ(art.menge, 1.0);
    EXPECT_EQ(art.mwst, 19.0);
    EXPECT_EQ(art.preis, 119.0);
    EXPECT_EQ(TextOf(art.bez), u"Montage");
    EXPECT_NE(art.bez, pos.bez);
}

TEST(PositionEdit, DeletePositionAndArticle)
{
    TRechnungBook book;
    AddInvoice(book, u"A", 1);
    NeuePosition(book, 0);
    const uint32_t second = *NeuePosition(book, 0);
    SetTextBuf(&book.Position(0, second).bez, u"zweite");
    EXPECT_TRUE(DeletePosition(book, 0, 0));
    ASSERT_EQ(book.Rechnung(0).posis->Count(), 1u);
    EXPECT_EQ(TextOf(book.Position(0, 0).bez), u"zweite");
    EXPECT_FALSE(DeletePosition(book, 0, 1));
    EXPECT_FALSE(DeletePosition(book, 1, 0));

    AddArticle(book, u"A", 1);
    AddArticle(book, u"B", 2);
    EXPECT_TRUE(DeleteArtikel(book, 0));
    ASSERT_EQ(book.ArtikelCount(), 1u);
    EXPECT_EQ(TextOf(book.Artikel(0).artnr), u"B");
    EXPECT_FALSE(DeleteArtikel(book, 1));

    ScriptedMessenger messenger;
    messenger.AnswerNext(Messenger::Answer::Yes);
    EXPECT_TRUE(AskDeleteArtikel());
    EXPECT_EQ(messenger.Boxes()[0].text, MessageText(272));
    EXPECT_EQ(messenger.Boxes()[0].title, MessageText(273));
}

TEST(ArtikelList, PriceColumnSortsByValueThroughPaddedKeys)
{
    TRechnungBook book;
    AddArticle(book, u"teuer", 10.0);
    AddArticle(book, u"billig", 9.5);
    AddArticle(book, u"mittel", 9.99);
    EXPECT_EQ(ArtikelSortKey(book.Artikel(1), 4, u','), u"000000000000009,50");
    ASSERT_TRUE(SortArtikel(book, 4, u','));
    EXPECT_EQ(TextOf(book.Artikel(0).artnr), u"billig");
    EXPECT_EQ(TextOf(book.Artikel(2).artnr), u"teuer");
    ASSERT_TRUE(SortArtikel(book, 4, u','));
    EXPECT_EQ(book.sricht2, 1);
    EXPECT_EQ(TextOf(book.Artikel(0).artnr), u"teuer");
    EXPECT_EQ(TextOf(book.Artikel(2).artnr), u"billig");
    ASSERT_TRUE(SortArtikel(book, 1, u','));
    EXPECT_EQ(book.sort2, 1);
    EXPECT_EQ(TextOf(book.Artikel(0).artnr), u"billig");
    EXPECT_FALSE(SortArtikel(book, 5, u','));
}

TEST(ArtikelList, ColumnsAndSearch)
{
    TRechnungBook book;
    AddArticle(book, u"A", 119, 19);
    AddArticle(book, u"B", 7, 7);
    AddArticle(book, u"C", 19.5, 0);
    EXPECT_EQ(ArtikelColumnText(book.Artikel(0), 2, u','), u"19,00");
    EXPECT_EQ(ArtikelColumnText(book.Artikel(0), 4, u','), u"119,00");
    SearchArtikel(book, u"19,", u',');  // rate of A, price of C
    EXPECT_TRUE(ArtikelMatches(book.Artikel(0), u"19,", u','));
    EXPECT_TRUE(ArtikelMatches(book.Artikel(1), u"19,", u','));
    EXPECT_EQ(TextOf(book.Artikel(2).artnr), u"B");
    EXPECT_FALSE(ArtikelMatches(book.Artikel(2), u"artikel", u','));
    EXPECT_TRUE(ArtikelMatches(book.Artikel(2), u"Artikel", u','));
}

TEST(ArtikelList, PickFindsByNumberOrDescriptionIgnoringCaseOfAToZ)
{
    TRechnungBook book;
    EXPECT_FALSE(FindPickArtikel(book, u""));
    AddArticle(book, u"AB-1", 1);
    AddArticle(book, u"XY-9", 2);
    EXPECT_EQ(FindPickArtikel(book, u"xy-9"), 1u);
    EXPECT_EQ(FindPickArtikel(book, u"artikel ab-1"), 0u);
    EXPECT_EQ(FindPickArtikel(book, u""), 0u);  // the empty barcode column matches
    EXPECT_FALSE(FindPickArtikel(book, u"zz"));
}
