// save.dat as a file among others: a pipe in its place, a failed write, a folder that takes
// no new files, and folder names that are not UTF-8.
#include "VariedBook.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/PathText.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MessageCatalog.h"
#include "support/FileRightsApply.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SaveDatFiles, APipeInPlaceOfSaveDatIsRefusedAtOnceAndNeverReplaced)
{
    const Watchdog watchdog(20, "save.dat as a pipe");
    TempDir dir;
    ScriptedMessenger messenger;
    ASSERT_EQ(mkfifo(dir.File("save.dat").c_str(), 0600), 0);
    TRechnungBook book;
    book.progpath = PathToText(dir.Path());
    EXPECT_EQ(book.OpenRechnungen(), TRechnungBook::OpenResult::Unreadable);
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(PathToText(dir.File("save.dat"))), std::u16string::npos);
    EXPECT_NE(messenger.Errors()[0].find(u"Keine gewöhnliche Datei"), std::u16string::npos);
    book.AppendRechnung();
    book.SaveRechnungen();
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("save.dat")));
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"save.dat"});
}

TEST(SaveDatFiles, AFailedWriteIsReportedOnlyOnceItsNewFileIsGone)
{
    TempDir dir;
    TRechnungBook book;
    FillVariedBook(book);
    book.progpath = PathToText(dir.Path());
    book.isopened = true;
    book.SaveRechnungen();
    const std::string before = ReadWholeFile(dir.File("save.dat"));
    SetTextBuf(&book.AppendRechnung().rechtext, std::u16string(200000, u'x'));

    ScriptedMessenger messenger;
    std::vector<std::string> namesWhileShown;
    messenger.WhenBoxShown([&](const ScriptedMessenger::Box&) { namesWhileShown = Names(dir.Path()); });
    {
        const FileSizeLimit full(65536);
        book.SaveRechnungen();
    }
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_EQ(namesWhileShown, std::vector<std::string>{"save.dat"});
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), before);
}

TEST(SaveDatFiles, AFolderThatTakesNoNewFilesGivesMessage133AndWhy)
{
    TempDir dir;
    const std::string folder = dir.File("daten/");
    std::filesystem::create_directory(folder);
    TRechnungBook book;
    FillVariedBook(book);
    book.progpath = PathToText(folder);
    book.isopened = true;
    book.SaveRechnungen();
    const std::string before = ReadWholeFile(folder + "save.dat");
    chmod(folder.c_str(), 0555);

    ScriptedMessenger messenger;
    {
        const FileRightsApply rights;
        if (!rights.Active()) {
            chmod(folder.c_str(), 0755);
            GTEST_SKIP() << "the system does not let this process give up its right to write anywhere";
        }
        // save.dat itself may still be written; only the folder refuses new files.
        const int fd = open((folder + "save.dat").c_str(), O_WRONLY);
        EXPECT_GE(fd, 0);
        if (fd >= 0)
            close(fd);
        book.SaveRechnungen();
    }
    chmod(folder.c_str(), 0755);
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_EQ(messenger.Errors()[0],
              MessageText(133) + PathToText(folder + "save.dat") + u"\n" + Utf8ToUtf16(kFolderTakesNoNewFilesText));
    EXPECT_EQ(ReadWholeFile(folder + "save.dat"), before);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"save.dat"});
}

TEST(SaveDatFiles, FolderNamesThatAreNotUtf8AreUsedAsTheyAre)
{
    for (const char* name : {"\xff\xfe", "M\xfcller",
                             "Gr\xc3\xbc\xc3\x9f"
                             "e"}) {
        TempDir dir;
        const std::string folder = dir.File(name) + "/";
        std::filesystem::create_directory(folder);
        TRechnungBook book;
        FillVariedBook(book);
        book.progpath = PathToText(folder);
        book.isopened = true;
        EXPECT_EQ(book.SaveDatPath(), folder + "save.dat");
        book.SaveRechnungen();
        EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{name});
        ASSERT_TRUE(std::filesystem::exists(folder + "save.dat"));

        TRechnungBook again;
        again.progpath = PathToText(folder);
        EXPECT_EQ(again.OpenRechnungen(), TRechnungBook::OpenResult::Loaded);
        EXPECT_EQ(again.RechnungCount(), book.RechnungCount());
    }
}
