// The save.dat fixtures in tests/data: valid files of this and older versions load, and
// every damaged one (named after its defect) is reported, keeps what was read before the
// damage and is never overwritten.
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using OpenResult = TRechnungBook::OpenResult;

struct Expected {
    OpenResult result;
    uint32_t invoices;  // invoices in memory afterwards
};

const std::map<std::string, Expected> kFixtures = {
    {"savedat-valid-varied.dat", {OpenResult::Loaded, 3}},
    {"savedat-valid-sections-1-to-3.dat", {OpenResult::Loaded, 3}},
    {"savedat-valid-ends-after-section-18.dat", {OpenResult::Loaded, 3}},
    {"savedat-empty-file.dat", {OpenResult::Damaged, 0}},
    {"savedat-cut-inside-section-1.dat", {OpenResult::Damaged, 3}},  // the third one partly
    {"savedat-cut-inside-section-2.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-3.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-4.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-6.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-10.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-19.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-20.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-21.dat", {OpenResult::Damaged, 3}},
    {"savedat-cut-inside-section-22.dat", {OpenResult::Damaged, 3}},
    {"savedat-negative-invoice-count.dat", {OpenResult::Damaged, 0}},
    {"savedat-invoice-count-past-end.dat", {OpenResult::Damaged, 0}},
    {"savedat-position-count-past-end.dat", {OpenResult::Damaged, 1}},
    {"savedat-text-count-past-end.dat", {OpenResult::Damaged, 1}},
    {"savedat-article-count-past-end.dat", {OpenResult::Damaged, 3}},
    {"savedat-count-mismatch-section-6.dat", {OpenResult::Damaged, 3}},
    {"savedat-count-mismatch-section-10.dat", {OpenResult::Damaged, 3}},
    {"savedat-count-mismatch-section-11.dat", {OpenResult::Damaged, 3}},
    {"savedat-count-mismatch-section-19.dat", {OpenResult::Damaged, 3}},
    {"savedat-negative-reserved-list-count.dat", {OpenResult::Damaged, 3}},
    {"savedat-text-block-count-past-end.dat", {OpenResult::Damaged, 3}},
    {"savedat-bytes-after-last-section.dat", {OpenResult::Damaged, 3}},
    {"savedat-zero-bytes.dat", {OpenResult::Damaged, 0}},  // reads as an empty book up to its end
    {"savedat-valid-einvoice.dat", {OpenResult::Loaded, 2}},
    {"savedat-valid-einvoice-later-version-bytes.dat", {OpenResult::Loaded, 2}},
    {"savedat-einvoice-cut-inside-section-23.dat", {OpenResult::Damaged, 2}},
    {"savedat-einvoice-unknown-section-tag.dat", {OpenResult::Damaged, 2}},
    {"savedat-einvoice-section-length-past-end.dat", {OpenResult::Damaged, 2}},
    {"savedat-einvoice-bytes-after-section-23.dat", {OpenResult::Damaged, 2}},
};

}

TEST(SaveDatFixtures, EachFixtureGivesTheOutcomeItsNameSays)
{
    size_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(REKOLON_TEST_DATA)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("savedat-", 0) != 0)
            continue;
        ++seen;
        SCOPED_TRACE(name);
        const auto expected = kFixtures.find(name);
        ASSERT_NE(expected, kFixtures.end()) << "fixture without expectation";
        const std::string bytes = ReadWholeFile(entry.path().string());

        TempDir dir;
        WriteWholeFile(dir.File("save.dat"), bytes);
        ScriptedMessenger messenger;
        TRechnungBook book;
        book.progpath = Utf8ToUtf16(dir.Path());
        EXPECT_EQ(book.OpenRechnungen(), expected->second.result);
        EXPECT_EQ(book.RechnungCount(), expected->second.invoices);
        book.SaveRechnungen();
        if (expected->second.result == OpenResult::Damaged) {
            ASSERT_EQ(messenger.Errors().size(), 1u);
            // Says what is damaged, and that the file stays and this session is not saved.
            const std::u16string text = messenger.Errors()[0];
            EXPECT_NE(text.find(Utf8ToUtf16(book.SaveDatPath()) + u" bleibt unverändert"), std::u16string::npos);
            EXPECT_NE(text.find(u"wird in sie gespeichert"), std::u16string::npos);
            EXPECT_GT(text.find(u"\n\n"), 0u);
            EXPECT_TRUE(book.SavingRefused());
            EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), bytes);
        } else {
            EXPECT_TRUE(messenger.Boxes().empty());
            const std::string saved = ReadWholeFile(dir.File("save.dat"));
            if (name == "savedat-valid-varied.dat" || name.find("einvoice") != std::string::npos)
                EXPECT_EQ(saved, bytes);
            else
                EXPECT_EQ(saved.substr(0, bytes.size()), bytes);  // extended by what it lacked
        }
    }
    EXPECT_EQ(seen, kFixtures.size());
}

TEST(SaveDatFixtures, AnOldFileLoadsItsInvoicesWithDefaultsForTheRest)
{
    TempDir dir;
    WriteWholeFile(dir.File("save.dat"),
                   ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/savedat-valid-sections-1-to-3.dat"));
    TRechnungBook book;
    book.progpath = Utf8ToUtf16(dir.Path());
    ASSERT_EQ(book.OpenRechnungen(), OpenResult::Loaded);
    ASSERT_EQ(book.RechnungCount(), 3u);
    EXPECT_EQ(TextOf(book.Rechnung(0).name), u"Müller");
    EXPECT_EQ(book.Rechnung(2).posis->Count(), 3u);
    EXPECT_EQ(book.ArtikelCount(), 2u);
    EXPECT_EQ(book.settings.FirmaED2, u"Vestrik Bürobedarf");
    EXPECT_EQ(book.settings.WaehrEd, u"€");
    EXPECT_EQ(book.settings.ARegNrEd, 6300000);
    EXPECT_EQ(book.settings.RegNrMode, TRegNrMode::CountRegNr);
    EXPECT_TRUE(book.settings.FontDialog1 == TRechnungSettings().FontDialog1);
}

TEST(SaveDatFixtures, DataAfterTheLastSectionIsReportedAsSuch)
{
    const struct {
        const char* fixture;
        const char16_t* surplus;
    } cases[] = {
        {"savedat-bytes-after-last-section.dat", u"16 Bytes"},
        {"savedat-zero-bytes.dat", u"3681 Bytes"},  // 4096 bytes, of which an empty book takes 415
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        TempDir dir;
        const std::string bytes = ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/" + c.fixture);
        WriteWholeFile(dir.File("save.dat"), bytes);
        ScriptedMessenger messenger;
        TRechnungBook book;
        book.progpath = Utf8ToUtf16(dir.Path());
        EXPECT_EQ(book.OpenRechnungen(), OpenResult::Damaged);
        ASSERT_EQ(messenger.Errors().size(), 1u);
        const std::u16string text = messenger.Errors()[0];
        EXPECT_EQ(text.find(Utf8ToUtf16(dir.File("save.dat"))), 0u) << Utf16ToUtf8(text);
        EXPECT_NE(text.find(u"unerwartete Daten"), std::u16string::npos) << Utf16ToUtf8(text);
        EXPECT_NE(text.find(c.surplus), std::u16string::npos) << Utf16ToUtf8(text);
        book.SaveRechnungen();
        EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), bytes);
    }
}
