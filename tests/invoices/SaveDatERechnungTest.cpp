// Section 23 of save.dat, the electronic invoice data: written only when something differs
// from its default, byte layout, round trips, later versions' bytes, every cut and damage.
#include "BookCompare.h"
#include "SaveDatBytes.h"
#include "VariedBook.h"

#include "foundation/MemoryByteSink.h"
#include "foundation/Utf8.h"
#include "invoices/ERechnungSection.h"
#include "invoices/SaveDatWriter.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/UnitCodes.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using OpenResult = TRechnungBook::OpenResult;

std::string Written(const TRechnungBook& book)
{
    MemoryByteSink sink;
    SaveDatWriter(book).Write(sink);
    return sink.Bytes();
}

void Put(const std::string& path, const std::string& bytes)
{
    std::filesystem::remove(path);
    WriteWholeFile(path, bytes);
}

std::string SaveInto(TRechnungBook& book, const TempDir& dir)
{
    book.progpath = Utf8ToUtf16(dir.Path());
    book.isopened = true;
    book.SaveRechnungen();
    return ReadWholeFile(dir.File("save.dat"));
}

// A varied book that also uses electronic invoices.
void FillEInvoiceBook(TRechnungBook& book)
{
    FillVariedBook(book);
    TRechnungSettings& s = book.settings;
    s.UStIdEd = u"DE123456789";
    s.IbanEd = u"DE02 1203 0000 0000 2020 51";
    s.KontaktNameEd = u"Jörg Müller Ω";
    s.ZahlungszielEd = 30;
    s.KleinunternehmerCheck = true;
    s.GiroCodeCheck = true;
    s.EinheitenGrid.push_back({u"Fass", u"BA"});
    TRechnungRec& r = book.Rechnung(1);
    r.leistungvon = 46054;
    r.leistungbis = 46081;
    r.faellig = 46100;
    SetTextBuf(&r.kaeuferref, u"04011000-12345-06");
    SetTextBuf(&r.kaeuferustid, u"ATU12345678");
    SetTextBuf(&r.kaeuferland, u"AT");
    SetTextBuf(&r.befreiung, u"Grund „€“ 😀");
    r.nullkategorie = 3;
}

// Bytes of the eleven settings texts at the start of the section's items.
size_t SettingsTextBytes(const TRechnungSettings& s)
{
    size_t n = 0;
    for (const std::u16string* text :
         {&s.UStIdEd, &s.LandCodeEd, &s.IbanEd, &s.BicEd, &s.KontoinhaberEd, &s.BankEd, &s.EAdresseEd, &s.KontaktNameEd,
          &s.KontaktTelEd, &s.KontaktMailEd, &s.ZahlungsbedingungEd})
        n += 4 + 2 * text->size();
    return n;
}

// Where section 23 starts: after section 22.
size_t Section23Start(const std::string& file)
{
    return SectionEnds(file).back();
}

}

TEST(SaveDatERechnung, ABookWithoutEInvoiceDataHasNoSection23)
{
    TRechnungBook book;
    FillVariedBook(book);
    EXPECT_TRUE(ERechnungSection::IsDefault(book));
    const std::string file = Written(book);
    EXPECT_EQ(Section23Start(file), file.size());
    // Set and reset: still none.
    book.settings.ZahlungszielEd = 30;
    SetTextBuf(&book.Rechnung(0).kaeuferref, u"x");
    EXPECT_GT(Written(book).size(), file.size());
    book.settings.ZahlungszielEd = 14;
    SetTextBuf(&book.Rechnung(0).kaeuferref, u"");
    EXPECT_EQ(Written(book), file);
}

TEST(SaveDatERechnung, EachValueAloneWritesTheSectionAndReadsBack)
{
    using Change = std::function<void(TRechnungBook&)>;
    const std::vector<std::pair<const char*, Change>> changes = {
        {"USt-IdNr.", [](TRechnungBook& b) { b.settings.UStIdEd = u"DE1"; }},
        {"country", [](TRechnungBook& b) { b.settings.LandCodeEd = u"AT"; }},
        {"IBAN", [](TRechnungBook& b) { b.settings.IbanEd = u"DE02"; }},
        {"BIC", [](TRechnungBook& b) { b.settings.BicEd = u"B"; }},
        {"holder", [](TRechnungBook& b) { b.settings.KontoinhaberEd = u"K"; }},
        {"bank", [](TRechnungBook& b) { b.settings.BankEd = u"Bank"; }},
        {"e-address", [](TRechnungBook& b) { b.settings.EAdresseEd = u"a@b.example"; }},
        {"contact", [](TRechnungBook& b) { b.settings.KontaktNameEd = u"N"; }},
        {"telephone", [](TRechnungBook& b) { b.settings.KontaktTelEd = u"1"; }},
        {"contact e-mail", [](TRechnungBook& b) { b.settings.KontaktMailEd = u"m"; }},
        {"terms", [](TRechnungBook& b) { b.settings.ZahlungsbedingungEd = u"sofort"; }},
        {"target", [](TRechnungBook& b) { b.settings.ZahlungszielEd = 0; }},
        {"Kleinunternehmer", [](TRechnungBook& b) { b.settings.KleinunternehmerCheck = true; }},
        {"XRechnung", [](TRechnungBook& b) { b.settings.XRechnungCheck = true; }},
        {"GiroCode", [](TRechnungBook& b) { b.settings.GiroCodeCheck = true; }},
        {"unit row removed", [](TRechnungBook& b) { b.settings.EinheitenGrid.pop_back(); }},
        {"unit code changed", [](TRechnungBook& b) { b.settings.EinheitenGrid[0].code = u"C62"; }},
        {"supply", [](TRechnungBook& b) { b.Rechnung(2).leistungvon = 46000; }},
        {"period end", [](TRechnungBook& b) { b.Rechnung(2).leistungbis = 46001; }},
        {"due", [](TRechnungBook& b) { b.Rechnung(2).faellig = -0.0; }},  // not all zero bits
        {"reference", [](TRechnungBook& b) { SetTextBuf(&b.Rechnung(2).kaeuferref, u"L"); }},
        {"buyer VAT", [](TRechnungBook& b) { SetTextBuf(&b.Rechnung(2).kaeuferustid, u"U"); }},
        {"buyer address", [](TRechnungBook& b) { SetTextBuf(&b.Rechnung(2).kaeuferadresse, u"E"); }},
        {"buyer country", [](TRechnungBook& b) { SetTextBuf(&b.Rechnung(2).kaeuferland, u"CH"); }},
        {"category", [](TRechnungBook& b) { b.Rechnung(2).nullkategorie = 5; }},
        {"reason", [](TRechnungBook& b) { SetTextBuf(&b.Rechnung(2).befreiung, u"R"); }},
    };
    TempDir dir;
    TRechnungBook plain;
    FillVariedBook(plain);
    const size_t plainSize = Written(plain).size();
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        TRechnungBook book;
        FillVariedBook(book);
        change(book);
        EXPECT_FALSE(ERechnungSection::IsDefault(book));
        const std::string file = SaveInto(book, dir);
        ASSERT_GT(file.size(), plainSize + 7);
        EXPECT_EQ(file.substr(plainSize, 3), "ER1");
        TRechnungBook loaded;
        loaded.progpath = Utf8ToUtf16(dir.Path());
        ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
        EXPECT_EQ(BookDifference(book, loaded), "");
        loaded.SaveRechnungen();
        EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), file);
    }
}

TEST(SaveDatERechnung, SectionBytesAreLaidOutAsTheFormatSays)
{
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    r.leistungvon = 46054;
    SetTextBuf(&r.kaeuferref, u"L-1");
    r.nullkategorie = 2;
    SetTextBuf(&r.befreiung, u"Ω");
    book.settings.IbanEd = u"DE02";
    book.settings.ZahlungszielEd = 30;
    book.settings.XRechnungCheck = true;
    book.settings.GiroCodeCheck = true;
    book.settings.EinheitenGrid = {{u"Stück", u"H87"}};
    const std::string file = Written(book);

    FileBytes body;
    body.S16(u"").S16(u"").S16(u"DE02");
    for (int i = 0; i < 8; ++i)
        body.S16(u"");
    body.I32(30).U8(6).I32(1).S16(u"Stück").S16(u"H87");
    body.I32(1).F64(46054).F64(0).F64(0).S16(u"L-1").S16(u"").S16(u"").S16(u"").U8(2).S16(u"Ω");
    const std::string expected = FileBytes().Raw("ER1").I32(int32_t(body.Size())).Str() + body.Str();
    const size_t start = Section23Start(file);
    EXPECT_EQ(file.substr(start), expected);
}

TEST(SaveDatERechnung, BytesAndFlagsOfALaterVersionAreKeptAndWrittenBack)
{
    TempDir dir;
    TRechnungBook book;
    FillEInvoiceBook(book);
    const std::string file = SaveInto(book, dir);
    const size_t start = Section23Start(file);
    // A later version: one more flag bit and 9 more bytes at the end of the section.
    std::string later = file;
    const std::string extra = "\x01\x02\x03later";
    later += extra;
    const int32_t length = int32_t(file.size() - start - 7 + extra.size());
    later.replace(start + 3, 4, FileBytes().I32(length).Str());
    const size_t flagsAt = start + 7 + SettingsTextBytes(book.settings) + 4;
    ASSERT_EQ(static_cast<unsigned char>(later[flagsAt]), 5u);  // Kleinunternehmer and GiroCode
    later[flagsAt] = static_cast<char>(5 | 0x40);
    Put(dir.File("save.dat"), later);

    TRechnungBook loaded;
    loaded.progpath = Utf8ToUtf16(dir.Path());
    ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
    EXPECT_EQ(loaded.eRechnungRest, extra);
    EXPECT_EQ(loaded.eRechnungFlagsRest, 0x40);
    EXPECT_TRUE(loaded.settings.KleinunternehmerCheck);
    EXPECT_TRUE(loaded.settings.GiroCodeCheck);
    EXPECT_FALSE(loaded.settings.XRechnungCheck);
    loaded.SaveRechnungen();
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), later);

    // A later version's bytes alone keep the section, even with every value at its default.
    TRechnungBook plain;
    plain.eRechnungRest = "x";
    EXPECT_FALSE(ERechnungSection::IsDefault(plain));
}

TEST(SaveDatERechnung, EveryCutOfTheSectionIsReportedAndTheFileKept)
{
    TempDir dir;
    TRechnungBook full;
    FillEInvoiceBook(full);
    const std::string file = SaveInto(full, dir);
    const size_t start = Section23Start(file);
    for (size_t length = start; length <= file.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        const std::string cut = file.substr(0, length);
        Put(dir.File("save.dat"), cut);
        ScriptedMessenger messenger;
        TRechnungBook book;
        book.progpath = Utf8ToUtf16(dir.Path());
        const OpenResult result = book.OpenRechnungen();
        if (length == start || length == file.size()) {
            ASSERT_EQ(result, OpenResult::Loaded);
            EXPECT_TRUE(messenger.Boxes().empty());
            EXPECT_EQ(TextOf(book.Rechnung(1).kaeuferref), length == start ? u"" : u"04011000-12345-06");
            continue;
        }
        ASSERT_EQ(result, OpenResult::Damaged);
        ASSERT_EQ(messenger.Errors().size(), 1u);
        EXPECT_TRUE(book.SavingRefused());
        book.SaveRechnungen();
        ASSERT_EQ(ReadWholeFile(dir.File("save.dat")), cut);
    }
}

TEST(SaveDatERechnung, DamageInsideTheSectionIsReportedAndTheFileKept)
{
    TempDir dir;
    TRechnungBook full;
    FillEInvoiceBook(full);
    const std::string file = SaveInto(full, dir);
    const size_t start = Section23Start(file);
    const int32_t length = int32_t(file.size() - start - 7);
    // The invoice count follows the settings texts, the target, the flags and the unit table.
    size_t countAt = start + 7 + SettingsTextBytes(full.settings) + 4 + 1 + 4;
    for (const TEinheitCode& row : full.settings.EinheitenGrid)
        countAt += 8 + 2 * (row.einheit.size() + row.code.size());
    ASSERT_EQ(file.substr(countAt, 4), FileBytes().I32(3).Str());

    struct Case {
        const char* name;
        size_t at;
        std::string bytes;
        const char16_t* says;
    };
    const Case cases[] = {
        {"other tag", start, "ER2", u"unerwartete Daten"},
        {"negative length", start + 3, FileBytes().I32(-1).Str(), u"beschädigt"},
        {"length past the end", start + 3, FileBytes().I32(length + 1).Str(), u"Dateiende"},
        {"length short of the items", start + 3, FileBytes().I32(length - 5).Str(), u"beschädigt"},
        {"invoice count too small", countAt, FileBytes().I32(2).Str(), u"beschädigt"},
        {"invoice count too large", countAt, FileBytes().I32(4).Str(), u"beschädigt"},
        {"unit count past the section", start + 7 + SettingsTextBytes(full.settings) + 4 + 1,
         FileBytes().I32(1000).Str(), u"beschädigt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string damaged = file;
        damaged.replace(c.at, c.bytes.size(), c.bytes);
        if (std::string(c.name) == "length short of the items")
            damaged.resize(damaged.size() - 5);  // the file ends where the section says
        Put(dir.File("save.dat"), damaged);
        ScriptedMessenger messenger;
        TRechnungBook book;
        book.progpath = Utf8ToUtf16(dir.Path());
        EXPECT_EQ(book.OpenRechnungen(), OpenResult::Damaged);
        ASSERT_EQ(messenger.Errors().size(), 1u);
        EXPECT_NE(messenger.Errors()[0].find(c.says), std::u16string::npos) << Utf16ToUtf8(messenger.Errors()[0]);
        EXPECT_EQ(book.RechnungCount(), 3u);
        book.SaveRechnungen();
        EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), damaged);
    }
}

TEST(SaveDatERechnung, ReadingAFileWithoutTheSectionForgetsALaterVersionsBytes)
{
    TRechnungBook book;
    book.eRechnungRest = "alt";
    book.eRechnungFlagsRest = 0x80;
    TempDir dir;
    TRechnungBook plain;
    plain.AppendRechnung();
    SaveInto(plain, dir);
    ASSERT_EQ(book.OpenRechnungen(dir.File("save.dat")), OpenResult::Loaded);
    EXPECT_EQ(book.eRechnungRest, "");
    EXPECT_EQ(book.eRechnungFlagsRest, 0);
}
