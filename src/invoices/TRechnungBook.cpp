#include "invoices/TRechnungBook.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/PathText.h"
#include "foundation/Utf8.h"
#include "invoices/DateTime.h"
#include "invoices/SaveDatReader.h"
#include "invoices/SaveDatWriter.h"
#include "messages/MemoryMessages.h"
#include "messages/MessageCatalog.h"

#include <cerrno>
#include <memory>
#include <new>
#include <sys/stat.h>

namespace {

void ReportError(const std::string& text)
{
    CurrentMessenger().ShowError(Utf8ToUtf16(text));
}

bool FileIsMissing(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) == 0)
        return false;
    return errno == ENOENT || errno == ENOTDIR;
}

}

std::u16string TRechnungBook::NotSavedText(const std::string& why) const
{
    return Utf8ToUtf16(why) + u"\n\nDie Datei " + Utf8ToUtf16(SaveDatPath()) +
           u" bleibt unverändert. Nichts von dem, was Sie in dieser Sitzung ändern, wird in sie gespeichert.";
}

TRechnungBook::TRechnungBook(int32_t screenPixelsPerInch)
    : rechs(sizeof(TRechnungRec), &arech),
      tpos(sizeof(TArtikelRec), &atpos),
      settings(screenPixelsPerInch),
      now(CurrentDateTime)
{
}

TRechnungBook::~TRechnungBook()
{
    ClearAll();
    ClearArtikel();
}

TRechnungRec& TRechnungBook::AppendRechnung()
{
    // The positions array is made first, so that a refusal leaves no invoice without one.
    auto posis = std::make_unique<TDynaArray>(sizeof(TPositionRec), &aposi, kPositionsGrowthStep);
    auto* rechnung = static_cast<TRechnungRec*>(rechs.Add());
    if (!rechnung)
        throw std::bad_alloc();
    rechnung->posis = posis.release();
    return *rechnung;
}

TPositionRec& TRechnungBook::AppendPosition(uint32_t rechnung)
{
    auto* position = static_cast<TPositionRec*>(Rechnung(rechnung).posis->Add());
    if (!position)
        throw std::bad_alloc();
    return *position;
}

TArtikelRec& TRechnungBook::AppendArtikel()
{
    auto* artikel = static_cast<TArtikelRec*>(tpos.Add());
    if (!artikel)
        throw std::bad_alloc();
    return *artikel;
}

void TRechnungBook::ClearAll()
{
    for (uint32_t i = 0; i < rechs.Count(); ++i)
        ReleaseRechnung(Rechnung(i));
    rechs.Clear();
    aposi = nullptr;
}

void TRechnungBook::ClearArtikel()
{
    for (uint32_t i = 0; i < tpos.Count(); ++i)
        ReleaseArtikel(Artikel(i));
    tpos.Clear();
}

std::string TRechnungBook::SaveDatPath() const
{
    return TextToPath(progpath) + "save.dat";
}

void TRechnungBook::SaveRechnungen()
{
    if (!isopened || inopen)
        return;
    const std::string path = SaveDatPath();
    std::unique_ptr<AtomicFileSink> sink;
    try {
        sink = std::make_unique<AtomicFileSink>(path);
    } catch (const IoError& e) {
        // Message 133 with the path, and on a line of its own why.
        CurrentMessenger().ShowError(MessageText(133) + PathToText(path) + u"\n" + Utf8ToUtf16(e.systemText()));
        return;
    }
    std::string failure;
    try {
        SaveDatWriter(*this).Write(*sink);
        sink->Commit();
    } catch (const IoError& e) {
        failure = e.what();
    } catch (const std::bad_alloc&) {
        failure = path + ": " + Utf16ToUtf8(MemoryMessages::kOutOfMemory);
    }
    sink.reset();  // an unfinished new file is gone before the user reads about it
    if (!failure.empty())
        ReportError(failure);
}

TRechnungBook::OpenResult TRechnungBook::OpenRechnungen()
{
    const OpenResult result = OpenRechnungen(SaveDatPath());
    if (result == OpenResult::Unreadable) {
        // Saving now would replace the user's file by an empty book.
        inopen = true;
        CurrentMessenger().ShowError(NotSavedText(openError_));
    }
    return result;
}

TRechnungBook::OpenResult TRechnungBook::OpenRechnungen(const std::string& path)
{
    isopened = true;
    std::unique_ptr<FileByteSource> source;
    try {
        source = std::make_unique<FileByteSource>(path);
    } catch (const IoError& e) {
        openError_ = e.what();
        return FileIsMissing(path) ? OpenResult::NoFile : OpenResult::Unreadable;
    }
    inopen = true;
    ClearAll();
    try {
        SaveDatReader(*this, *source).Read();
    } catch (const IoError& e) {
        CurrentMessenger().ShowError(NotSavedText(e.what()));
        return OpenResult::Damaged;
    } catch (const std::bad_alloc&) {
        CurrentMessenger().ShowError(NotSavedText(path + ": " + Utf16ToUtf8(MemoryMessages::kOutOfMemory)));
        return OpenResult::Damaged;
    }
    inopen = false;
    return OpenResult::Loaded;
}
