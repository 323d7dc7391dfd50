#pragma once

#include "foundation/TDynaArray.h"
#include "invoices/TArtikelRec.h"
#include "invoices/TPositionRec.h"
#include "invoices/TRechnungRec.h"
#include "invoices/TRechnungSettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// The invoice book: all invoices with their positions, the local article list, the
// settings and the state around them, as the main window holds them. The windows show and
// edit these values; nothing here needs a display.
//
// The arrays write their current element into the typed pointers arech, aposi (shared by
// the positions arrays of all invoices) and atpos, so the book must stay where it is.
class TRechnungBook {
public:
    enum class OpenResult {
        Loaded,      // the file was read completely
        NoFile,      // there is no file: empty book, settings untouched
        Unreadable,  // the file exists but cannot be opened: nothing changed
        Damaged,     // reading stopped at damage; what was read stays, saving stays refused
    };

    // An invoice holds a handful of positions: its positions array grows in steps of this
    // many records instead of the usual 100, which keeps a book of thousands of invoices
    // small in memory.
    static constexpr uint32_t kPositionsGrowthStep = 10;

    explicit TRechnungBook(int32_t screenPixelsPerInch = 96);
    ~TRechnungBook();  // releases every record with its buffers (does not save)

    TRechnungBook(const TRechnungBook&) = delete;
    TRechnungBook& operator=(const TRechnungBook&) = delete;

    // Sorting state of the lists (−1: not sorted yet; direction 0 ascending, 1 descending).
    int32_t sort2 = -1;
    int32_t sricht2 = 0;
    int32_t sricht = 0;
    int32_t sort1 = -1;

    bool isopened = false;  // reading the store file has been attempted; saving allowed
    bool inopen = false;    // the store file is being read, or reading failed: no saving

    std::u16string progpath;      // data folder, ending in "/"
    std::u16string realprogpath;  // program folder
    std::u16string appdatapath;   // data folder as chosen at start

    TRechnungRec* arech = nullptr;
    TPositionRec* aposi = nullptr;
    TArtikelRec* atpos = nullptr;
    TDynaArray rechs;  // TRechnungRec, typed pointer arech
    TDynaArray tpos;   // TArtikelRec, typed pointer atpos

    std::array<uint8_t, 101> check{};  // reserved flags, kept in the store file as they are

    // What a later version wrote into the electronic invoice section of the store file that
    // this version does not know: the flag bits it does not use and the bytes after the items
    // it reads. Kept as they are and written back.
    uint8_t eRechnungFlagsRest = 0;
    std::string eRechnungRest;

    TRechnungSettings settings;

    // The clock that dates new invoices.
    std::function<double()> now;

    // Records by index, without moving any cursor. No bounds check.
    TRechnungRec& Rechnung(uint32_t index) { return *static_cast<TRechnungRec*>(rechs.At(index)); }
    const TRechnungRec& Rechnung(uint32_t index) const { return *static_cast<const TRechnungRec*>(rechs.At(index)); }
    TPositionRec& Position(uint32_t rechnung, uint32_t index)
    {
        return *static_cast<TPositionRec*>(Rechnung(rechnung).posis->At(index));
    }
    TArtikelRec& Artikel(uint32_t index) { return *static_cast<TArtikelRec*>(tpos.At(index)); }
    const TArtikelRec& Artikel(uint32_t index) const { return *static_cast<const TArtikelRec*>(tpos.At(index)); }
    uint32_t RechnungCount() const { return rechs.Count(); }
    uint32_t ArtikelCount() const { return tpos.Count(); }

    // Append a zero-filled record and make it current. An invoice gets its empty positions
    // array at once. Raise std::bad_alloc when memory is refused (the array has then told
    // the user) and leave the book as it was.
    TRechnungRec& AppendRechnung();
    TPositionRec& AppendPosition(uint32_t rechnung);
    TArtikelRec& AppendArtikel();

    // Releases all invoices with their buffers and positions (the article list stays).
    void ClearAll();
    // Releases all articles with their buffers.
    void ClearArtikel();

    // progpath + "save.dat", as a file system path.
    std::string SaveDatPath() const;

    // Writes the whole store file, unless reading it has not been attempted yet or is
    // under way or failed. The file is replaced only when complete. A file that cannot be
    // created gives message 133 followed by the path; a failure while writing is reported
    // with the file name and the system's text. Memory is never changed.
    void SaveRechnungen();

    // Reads the store file of the data folder at start. A missing file is silent (empty
    // book, defaults). A file that exists but cannot be opened, or that is damaged, is
    // reported, and saving stays refused for the rest of the run so that it is not
    // overwritten.
    OpenResult OpenRechnungen();

    // Reads a store file into the book: replaces all invoices and articles and sets every
    // setting the file holds. A missing or unopenable file changes nothing and is not
    // reported; a damaged one is reported and leaves inopen set.
    OpenResult OpenRechnungen(const std::string& path);

    // True while the store file may not be written because reading it failed: the user's file
    // stays as it is for the rest of the run.
    bool SavingRefused() const { return isopened && inopen; }

private:
    // The text for a store file that could not be read: why, and that the file of the data
    // folder is kept as it is and nothing of this session will be saved into it.
    std::u16string NotSavedText(const std::string& why) const;

    std::string openError_;  // why the last file could not be opened
};
