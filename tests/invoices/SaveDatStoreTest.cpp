// Writing and reading save.dat through real files: round trips, files of older versions,
// damaged files, and failures while writing.
#include "BookCompare.h"
#include "SaveDatBytes.h"
#include "VariedBook.h"

#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MessageCatalog.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

#include <filesystem>

namespace {

using OpenResult = TRechnungBook::OpenResult;

void UseFolder(TRechnungBook& book, const TempDir& dir)
{
    book.progpath = Utf8ToUtf16(dir.Path());
}

// Saves a book into the folder as the program does after reading.
std::string SaveInto(TRechnungBook& book, const TempDir& dir)
{
    UseFolder(book, dir);
    book.isopened = true;
    book.SaveRechnungen();
    return ReadWholeFile(dir.File("save.dat"));
}

// Puts a file in place without truncating the old one (which makes the file system write
// the old contents out first and slows the many rewrites below down).
void Put(const std::string& path, const std::string& bytes)
{
    std::filesystem::remove(path);
    WriteWholeFile(path, bytes);
}

std::string VariedFile(const TempDir& dir)
{
    TRechnungBook book;
    FillVariedBook(book);
    return SaveInto(book, dir);
}

}

TEST(SaveDatStore, VariedBookSurvivesWriteReadWriteByteForByte)
{
    TempDir dir;
    ScriptedMessenger messenger;
    TRechnungBook original;
    FillVariedBook(original);
    const std::string first = SaveInto(original, dir);

    TRechnungBook loaded;
    UseFolder(loaded, dir);
    ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
    EXPECT_TRUE(loaded.isopened);
    EXPECT_FALSE(loaded.inopen);
    EXPECT_EQ(BookDifference(original, loaded), "");
    loaded.SaveRechnungen();
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), first);
    EXPECT_TRUE(messenger.Boxes().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SaveDatStore, ArticlesReadBackWithQuantityOne)
{
    TempDir dir;
    TRechnungBook book;
    TArtikelRec& a = book.AppendArtikel();
    a.menge = 5;
    SaveInto(book, dir);
    TRechnungBook loaded;
    UseFolder(loaded, dir);
    ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
    ASSERT_EQ(loaded.ArtikelCount(), 1u);
    EXPECT_EQ(loaded.Artikel(0).menge, 1.0);
}

TEST(SaveDatStore, MissingFileIsSilentAndLeavesDefaults)
{
    TempDir dir;
    ScriptedMessenger messenger;
    TRechnungBook book;
    UseFolder(book, dir);
    EXPECT_EQ(book.OpenRechnungen(), OpenResult::NoFile);
    EXPECT_TRUE(book.isopened);
    EXPECT_FALSE(book.inopen);
    EXPECT_EQ(book.RechnungCount(), 0u);
    EXPECT_TRUE(book.settings == TRechnungSettings());
    EXPECT_TRUE(messenger.Boxes().empty());
    book.SaveRechnungen();  // saving is allowed from now on
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), FileBytes().I32(0).I32(0).Str() + DefaultSettingsSections());
}

TEST(SaveDatStore, SavingBeforeReadingOrWhileReadingDoesNothing)
{
    TempDir dir;
    Put(dir.File("save.dat"), "alt");
    TRechnungBook book;
    UseFolder(book, dir);
    book.SaveRechnungen();
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "alt");
    book.isopened = true;
    book.inopen = true;
    book.SaveRechnungen();
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "alt");
}

TEST(SaveDatStore, FileOfSectionsOneToThreeLoadsWithDefaultsForTheRest)
{
    TempDir dir;
    const std::string full = VariedFile(dir);
    const std::vector<size_t> ends = SectionEnds(full);
    Put(dir.File("save.dat"), full.substr(0, ends[2]));
    ScriptedMessenger messenger;
    TRechnungBook book;
    UseFolder(book, dir);
    ASSERT_EQ(book.OpenRechnungen(), OpenResult::Loaded);
    EXPECT_TRUE(messenger.Boxes().empty());
    EXPECT_EQ(book.RechnungCount(), 3u);
    EXPECT_EQ(book.settings.RegNrMode, TRegNrMode::CountRegNr);
    EXPECT_EQ(book.settings.ARegNrEd, 6300000);
    EXPECT_EQ(book.settings.FirmaED2, u"Vestrik Bürobedarf");
    EXPECT_EQ(TextOf(book.Rechnung(0).rechnr), u"");
    EXPECT_EQ(TextOf(book.Rechnung(0).lort), u"");
    EXPECT_EQ(TextOf(book.Rechnung(0).bestelldatum), u"");
    EXPECT_TRUE(book.settings.ListView4.empty());
}

// A file that ends at any section boundary from section 3 on loads silently with what it
// holds; one that ends anywhere else is reported, keeps what was read, and is never
// overwritten in that run.
TEST(SaveDatStore, EveryCutOfTheFileLoadsOrIsReportedAndKept)
{
    TempDir dir;
    TRechnungBook fullBook;
    FillVariedBook(fullBook);
    const std::string full = SaveInto(fullBook, dir);
    const std::vector<size_t> ends = SectionEnds(full);
    ASSERT_EQ(ends.size(), 22u);

    for (size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        const std::string cut = full.substr(0, length);
        Put(dir.File("save.dat"), cut);
        int section = 0;  // the last whole section when the cut is a boundary
        for (int k = 3; k <= 22; ++k) {
            if (ends[size_t(k - 1)] == length)
                section = k;
        }
        ScriptedMessenger messenger;
        TRechnungBook book;
        UseFolder(book, dir);
        const OpenResult result = book.OpenRechnungen();
        if (section > 0) {
            ASSERT_EQ(result, OpenResult::Loaded);
            EXPECT_TRUE(messenger.Boxes().empty());
            EXPECT_FALSE(book.inopen);
            EXPECT_TRUE(book.settings == SettingsAfterSection(section, fullBook.settings));
            ASSERT_EQ(book.RechnungCount(), 3u);
            EXPECT_EQ(TextOf(book.Rechnung(1).rechnr), section >= 6 ? u"RE-6300002" : u"");
            EXPECT_EQ(TextOf(book.Rechnung(1).lort), section >= 10 ? u"Wien" : u"");
            EXPECT_EQ(TextOf(book.Rechnung(1).ihrebestellung), section >= 11 ? u"B-772" : u"");
            EXPECT_EQ(book.check[57], section >= 20 ? 1 : 0);
            if (section == 22) {
                EXPECT_EQ(BookDifference(fullBook, book), "");
            }
        } else {
            ASSERT_EQ(result, OpenResult::Damaged);
            ASSERT_EQ(messenger.Errors().size(), 1u);
            EXPECT_NE(messenger.Errors()[0].find(Utf8ToUtf16(dir.File("save.dat"))), std::u16string::npos);
            EXPECT_TRUE(book.inopen);
            book.SaveRechnungen();
            EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), cut);
        }
    }
}

TEST(SaveDatStore, WhatWasReadBeforeTheDamageStays)
{
    TempDir dir;
    const std::string full = VariedFile(dir);
    const std::vector<size_t> ends = SectionEnds(full);
    // Cut inside section 10, in the middle of the delivery addresses.
    Put(dir.File("save.dat"), full.substr(0, ends[9] - 30));
    ScriptedMessenger messenger;
    TRechnungBook book;
    UseFolder(book, dir);
    ASSERT_EQ(book.OpenRechnungen(), OpenResult::Damaged);
    ASSERT_EQ(book.RechnungCount(), 3u);
    EXPECT_EQ(TextOf(book.Rechnung(0).lort), u"Wien");
    EXPECT_EQ(TextOf(book.Rechnung(2).rechnr), u"RE-6300003");
    EXPECT_EQ(book.settings.WaehrEd, u"EUR");
    EXPECT_EQ(book.settings.FussEd3, u"");  // section 11 was never reached
    EXPECT_EQ(book.Rechnung(2).posis->Count(), 3u);
}

TEST(SaveDatStore, PerInvoiceCountsThatDifferFromTheInvoicesAreDamage)
{
    TempDir dir;
    const std::string full = VariedFile(dir);
    const std::vector<size_t> ends = SectionEnds(full);
    // Offsets of the counts: section 6 after the counter text "6300004"; section 10 after
    // "RE-", the flag and "Fußzeile zwei"; section 11 after "Fußzeile drei €"; section 19
    // opens with the first invoice's position count.
    const size_t counts[] = {ends[4] + 4 + 7, ends[8] + 4 + 3 + 1 + 4 + 13, ends[9] + 4 + 15, ends[17]};
    for (size_t offset : counts) {
        for (int32_t wrong : {2, 4, -1}) {
            SCOPED_TRACE("offset " + std::to_string(offset) + " count " + std::to_string(wrong));
            std::string damaged = full;
            const std::string bytes = FileBytes().I32(wrong).Str();
            ASSERT_NE(damaged.substr(offset, 4), bytes);
            damaged.replace(offset, 4, bytes);
            Put(dir.File("save.dat"), damaged);
            ScriptedMessenger messenger;
            TRechnungBook book;
            UseFolder(book, dir);
            EXPECT_EQ(book.OpenRechnungen(), OpenResult::Damaged);
            EXPECT_EQ(messenger.Errors().size(), 1u);
            EXPECT_EQ(book.RechnungCount(), 3u);
            book.SaveRechnungen();
            EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), damaged);
        }
    }
}

TEST(SaveDatStore, ImpossibleCountsStopBeforeAnythingIsAllocated)
{
    TempDir dir;
    const std::string rest = FileBytes().I32(0).Str() + DefaultSettingsSections();
    const std::string files[] = {
        FileBytes().I32(0x7FFFFFFF).Str() + rest,  // invoices
        FileBytes().I32(-5).Str() + rest,
        FileBytes().I32(0).I32(0x7FFFFFFF).Str() + DefaultSettingsSections(),  // articles
        // One invoice announcing two billion positions.
        [] {
            FileBytes b;
            b.I32(1);
            for (int i = 0; i < 13; ++i)
                b.I32(0);
            b.F64(0).F64(0).F64(0).F64(0).I32(0x7FFFFFFF);
            return b.Str();
        }(),
        // A text announcing more bytes than the file has.
        FileBytes().I32(1).I32(0x7FFFFFF0).Str() + std::string(200, 'x'),
    };
    for (const std::string& file : files) {
        Put(dir.File("save.dat"), file);
        ScriptedMessenger messenger;
        TRechnungBook book;
        UseFolder(book, dir);
        EXPECT_EQ(book.OpenRechnungen(), OpenResult::Damaged);
        EXPECT_EQ(messenger.Errors().size(), 1u);
        EXPECT_LE(book.RechnungCount(), 1u);
        EXPECT_TRUE(book.inopen);
    }
}

TEST(SaveDatStore, EveryFlippedByteIsReadSafelyAndADamagedFileIsKept)
{
    TempDir dir;
    TRechnungBook small;
    TRechnungRec& r = small.AppendRechnung();
    SetTextBuf(&r.name, u"Ölmann");
    TPositionRec& p = small.AppendPosition(0);
    SetTextBuf(&p.bez, u"Teil");
    small.AppendArtikel();
    small.settings.ListView4 = {{u"a", u"b"}};
    const std::string full = SaveInto(small, dir);
    for (size_t i = 0; i < full.size(); ++i) {
        for (unsigned char mask : {0xFF, 0x80, 0x01}) {
            std::string damaged = full;
            damaged[i] = static_cast<char>(damaged[i] ^ mask);
            Put(dir.File("save.dat"), damaged);
            ScriptedMessenger messenger;
            TRechnungBook book;
            UseFolder(book, dir);
            const OpenResult result = book.OpenRechnungen();
            ASSERT_TRUE(result == OpenResult::Loaded || result == OpenResult::Damaged);
            EXPECT_EQ(result == OpenResult::Damaged, !messenger.Errors().empty());
            if (result == OpenResult::Damaged) {
                book.SaveRechnungen();
                ASSERT_EQ(ReadWholeFile(dir.File("save.dat")), damaged) << "byte " << i;
            }
        }
    }
}

TEST(SaveDatStore, ReservedTextListsAreReadAndDropped)
{
    TempDir dir;
    TRechnungBook book;
    book.AppendRechnung();
    book.AppendPosition(0);
    book.AppendPosition(0);
    const std::string full = SaveInto(book, dir);
    const std::vector<size_t> ends = SectionEnds(full);
    // Section 19 as an older program may have written it: two texts for the first position.
    FileBytes lists;
    lists.I32(2).I32(2).S16(u"eins").S16(u"zwei").I32(0);
    const std::string file = full.substr(0, ends[17]) + lists.Str() + full.substr(ends[18]);
    Put(dir.File("save.dat"), file);
    TRechnungBook loaded;
    UseFolder(loaded, dir);
    ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
    loaded.SaveRechnungen();
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), full);
}

TEST(SaveDatStore, NumberingModeByteAndCounterText)
{
    TempDir dir;
    TRechnungBook book;
    const std::string full = SaveInto(book, dir);
    const std::vector<size_t> ends = SectionEnds(full);
    const size_t modeAt = ends[2] + 4 + 7 + 4 + 1;
    const size_t counterAt = ends[4];
    struct Case {
        uint8_t mode;
        std::string counter;
        TRegNrMode expectedMode;
        int64_t expectedCounter;
    };
    const Case cases[] = {
        {1, "42", TRegNrMode::rechnrdatecheck, 42},
        {0, "-7", TRegNrMode::NoRegNr, -7},
        {7, "abc", TRegNrMode::NoRegNr, 99},  // neither changes what the book held
    };
    for (const Case& c : cases) {
        std::string file = full;
        file[modeAt] = static_cast<char>(c.mode);
        file = file.substr(0, counterAt) + FileBytes().S8(c.counter).Str() + file.substr(counterAt + 11);
        Put(dir.File("save.dat"), file);
        TRechnungBook loaded;
        loaded.settings.RegNrMode = TRegNrMode::NoRegNr;
        loaded.settings.ARegNrEd = 99;
        UseFolder(loaded, dir);
        ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
        EXPECT_EQ(loaded.settings.RegNrMode, c.expectedMode);
        EXPECT_EQ(loaded.settings.ARegNrEd, c.expectedCounter);
    }
}

TEST(SaveDatStore, ReadingAnOlderFileKeepsTheSettingsItLacks)
{
    // The import from the old version reads into a book that already has settings.
    TempDir dir;
    TRechnungBook old;
    old.AppendRechnung();
    const std::string full = SaveInto(old, dir);
    Put(dir.File("save.dat"), full.substr(0, SectionEnds(full)[2]));
    TRechnungBook book;
    FillVariedBook(book);
    const TRechnungSettings before = book.settings;
    ASSERT_EQ(book.OpenRechnungen(dir.File("save.dat")), OpenResult::Loaded);
    EXPECT_EQ(book.RechnungCount(), 1u);
    EXPECT_EQ(book.ArtikelCount(), 0u);
    EXPECT_EQ(book.settings.FirmaED2, u"FirmaED");  // section 3 was read
    EXPECT_EQ(book.settings.WaehrEd, before.WaehrEd);
    EXPECT_EQ(book.settings.ListView4, before.ListView4);
    EXPECT_EQ(book.settings.RegNrMode, before.RegNrMode);
}

TEST(SaveDatStore, AFileThatCannotBeOpenedIsReportedAndNeverReplaced)
{
    TempDir dir;
    std::filesystem::create_directory(dir.File("save.dat"));
    ScriptedMessenger messenger;
    TRechnungBook book;
    UseFolder(book, dir);
    EXPECT_EQ(book.OpenRechnungen(), OpenResult::Unreadable);
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(Utf8ToUtf16(dir.File("save.dat"))), std::u16string::npos);
    EXPECT_TRUE(book.inopen);
    book.SaveRechnungen();
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("save.dat")));
    EXPECT_EQ(messenger.Errors().size(), 1u);

    // Read as an import source, the same file changes nothing and says nothing.
    TRechnungBook other;
    other.AppendRechnung();
    EXPECT_EQ(other.OpenRechnungen(dir.File("save.dat")), OpenResult::Unreadable);
    EXPECT_EQ(other.RechnungCount(), 1u);
    EXPECT_FALSE(other.inopen);
    EXPECT_EQ(messenger.Errors().size(), 1u);
}

TEST(SaveDatStore, FolderThatCannotTakeTheFileGivesMessage133WithThePath)
{
    TempDir dir;
    ScriptedMessenger messenger;
    TRechnungBook book;
    book.progpath = Utf8ToUtf16(dir.File("fehlt/"));
    book.isopened = true;
    book.AppendRechnung();
    book.SaveRechnungen();
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_EQ(messenger.Errors()[0],
              MessageText(133) + Utf8ToUtf16(dir.File("fehlt/save.dat")) + u"\nDas Verzeichnis gibt es nicht.");
    EXPECT_FALSE(std::filesystem::exists(dir.File("fehlt")));
    EXPECT_EQ(book.RechnungCount(), 1u);
    book.SaveRechnungen();  // the next trigger tries again
    EXPECT_EQ(messenger.Errors().size(), 2u);
}

TEST(SaveDatStore, WriteFailureLeavesThePreviousFileWholeAndMemoryAsItWas)
{
    TempDir dir;
    TRechnungBook book;
    FillVariedBook(book);
    const std::string before = SaveInto(book, dir);
    // Enough data that the file passes a small size limit, as on a full disk.
    TRechnungRec& r = book.AppendRechnung();
    SetTextBuf(&r.rechtext, std::u16string(200000, u'x'));

    ScriptedMessenger messenger;
    {
        const FileSizeLimit full(65536);
        book.SaveRechnungen();
    }

    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(Utf8ToUtf16(dir.File("save.dat"))), std::u16string::npos);
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_EQ(book.RechnungCount(), 4u);
    EXPECT_EQ(TextOf(book.Rechnung(3).rechtext).size(), 200000u);
    book.SaveRechnungen();  // with room again the book is saved whole
    EXPECT_GT(ReadWholeFile(dir.File("save.dat")).size(), 200000u);
}

TEST(SaveDatStore, GeometryIsKeptAsStored)
{
    // Whole-millimetre fields hold what the file holds, also a fraction or no number; the
    // page and the fields take them into range (SettingsOutOfRangeTest), the file keeps them.
    TempDir dir;
    TRechnungBook book;
    const std::string full = SaveInto(book, dir);
    const size_t geometry = SectionEnds(full)[2] - 40;
    std::string file = full;
    file.replace(geometry, 16, FileBytes().F64(15.6).F64(std::numeric_limits<double>::quiet_NaN()).Str());
    Put(dir.File("save.dat"), file);
    TRechnungBook loaded;
    UseFolder(loaded, dir);
    ASSERT_EQ(loaded.OpenRechnungen(), OpenResult::Loaded);
    EXPECT_EQ(loaded.settings.RandXED, 15.6);
    EXPECT_TRUE(std::isnan(loaded.settings.RandYEd));
    loaded.SaveRechnungen();
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), file);
}
