#pragma once

#include "dbase/DbfDiskFile.h"
#include "dbase/DbfField.h"
#include "dbase/DbfHeader.h"
#include "dbase/DbfIndex.h"
#include "dbase/DbfMemoFile.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// A dBase IV table (.dbf with its .dbt memo file) with one cursor, as the customer window and
// its operations use it: navigate, read and write column values as text, append, edit, post,
// delete, a filter callback and named in-memory indexes. Records are read from the file on
// demand through one buffer of bounded size, so a walk costs the same memory whatever the
// table's size. Deleted records are invisible to every walk.
//
// Text is read and written in the code page that the table's header names (DbfCodePage).
//
// Every failure (a file that cannot be read or written, a damaged table) raises IoError,
// except a damaged memo: see DamagedMemoRecords().
class DbfTable {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    // Decides whether the table's current record is visible while filtering is on. It may
    // read values of the table but must not move it.
    using FilterCallback = std::function<bool(const DbfTable&)>;

    DbfTable() = default;
    ~DbfTable();
    DbfTable(const DbfTable&) = delete;
    DbfTable& operator=(const DbfTable&) = delete;

    // Creates an empty table at path (and its memo file when a column is a memo), replacing
    // files of that name, both with a new tag, with text in the code page of the language
    // driver byte (new tables: Windows-1252; a copy of a table: the byte of the original, so
    // that its text can be copied byte for byte). The memo file is the one beside the table,
    // or memoPath when given. The columns are checked first; dBase limits raise IoError.
    static void Create(const std::string& path, const std::vector<DbfField>& fields,
                       uint8_t languageDriver = DbfCodePage::kDriverWindows1252, const std::string& memoPath = {});
    // The same for a table that is to be filled before it counts: the tag goes only into the
    // memo file's header; Seal() puts it into the table's once every record is in.
    static DbfPairTag CreateUnsealed(const std::string& path, const std::vector<DbfField>& fields,
                                     uint8_t languageDriver = DbfCodePage::kDriverWindows1252,
                                     const std::string& memoPath = {});
    // "x.dbf" -> "x.dbt".
    static std::string MemoPathFor(const std::string& path);

    // Opens and checks the table, then moves to the first record. The memo file is the one
    // beside it, or memoPath when given. A file that ends inside its records opens with its
    // whole records (CutOff()) and cannot be changed.
    void Open(const std::string& path, const std::string& memoPath = {});
    // Posts an edit in progress, then closes. The filter switch and callback stay; the
    // indexes go with the table.
    void Close();
    bool Active() const { return state_ != State::Inactive; }
    State GetState() const { return state_; }
    const std::string& Path() const { return path_; }

    int FieldCount() const { return static_cast<int>(header_.fields.size()); }
    const DbfField& Field(int i) const { return header_.fields.at(static_cast<size_t>(i)); }
    const std::vector<DbfField>& Fields() const { return header_.fields; }
    // Position of the column of that name (letters a-z compared without case), -1 if none.
    int FieldIndex(std::u16string_view name) const;
    uint8_t Version() const { return header_.version; }
    // The header's language driver byte and the code page it names.
    uint8_t LanguageDriver() const { return header_.languageDriver; }
    const DbfCodePage& CodePage() const { return codePage_; }
    bool HasMemoFields() const;
    // The tags of the table's header and of its memo file (see DbfPairTag).
    const DbfPairTag& Tag() const { return header_.tag; }
    const DbfPairTag& MemoTag() const { return memo_.Tag(); }
    // Writes tag into the table's header and forces the table to the disk.
    void Seal(const DbfPairTag& tag);
    // Whether the open files are the ones that these paths name (through links); a memo
    // path counts only for a table with memo columns.
    bool OpenFilesAre(const std::string& tablePath, const std::string& memoPath) const;

    // The file ends inside its records: only the whole ones are there, and every change is
    // refused (IoError) so that the file stays as it is.
    bool CutOff() const { return header_.CutOff(); }
    uint32_t AnnouncedRecordCount() const { return header_.announcedRecordCount; }

    // Navigation in the active order, skipping deleted records and those the filter rejects.
    // At the end Next() sets Eof() and leaves the last record current (and Prior() likewise
    // with Bof()). An edit in progress is posted first.
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return recNo_ == 0 && state_ != State::Insert; }
    // Physical record number (from 1) of the current record, 0 when there is none.
    uint32_t RecNo() const { return recNo_; }
    // Makes a record current by its number; false (nothing changes) if it does not exist or
    // is deleted. The filter is not asked.
    bool GoTo(uint32_t recNo);
    // Records in the file, deleted ones included.
    uint32_t PhysicalRecordCount() const { return header_.recordCount; }

    // Value of a column of the current record (of the edit buffer while editing); memo
    // columns give their text. The empty text when there is no current record, and for a
    // damaged memo (see DamagedMemoRecords()).
    std::u16string Value(int field) const;
    // By name; a missing name raises IoError.
    std::u16string Value(std::u16string_view name) const;
    // Value of a column of any live record without moving the cursor (for grids).
    std::u16string ValueAt(uint32_t recNo, int field) const;

    // The stored bytes (in the table's code page, padded) of a character column of the
    // current record, and setting them, cut or padded to the column's length: a copy
    // between tables of the same code page without converting the text twice.
    std::string_view RawValue(int field) const;
    void SetRawValue(int field, std::string_view bytes);

    // A new empty record in the edit buffer; it is added to the file by Post(). dBase has
    // no physical insert, so Insert() is the same as Append().
    void Append();
    void Insert() { Append(); }
    // Starts editing the current record; raises IoError when there is none.
    void Edit();
    // Sets a column in the edit buffer; starts editing the current record if needed.
    void SetValue(int field, std::u16string_view text);
    void SetValue(std::u16string_view name, std::u16string_view text);
    // Stores the edit buffer (memos first, then the record, then the header's count);
    // nothing happens when no edit is in progress.
    void Post();
    void Cancel();
    // Marks the current record deleted and moves to the next visible one (or the one
    // before when it was the last).
    void Delete();

    // A memo that cannot be read (its pointer is no block number, or points past the end of
    // the memo file or to no memo start, or its length runs past the end) reads as the empty
    // text, so that one damaged record hides no other from a walk, a search or a grid. The
    // table remembers the numbers of those records, whoever read them, until
    // ForgetDamagedMemos(): a walk forgets first, then asks which of the records it visited
    // had a damaged memo. Writing a new memo into such a record mends it.
    const std::set<uint32_t>& DamagedMemoRecords() const { return damagedMemos_; }
    bool MemoDamaged(uint32_t recNo) const { return damagedMemos_.count(recNo) != 0; }
    void ForgetDamagedMemos() { damagedMemos_.clear(); }

    void SetFilterCallback(FilterCallback callback) { filter_ = std::move(callback); }
    // Turns filtering on or off and moves to the first visible record.
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }

    // Adds an index over a character column; raises IoError for a memo column or a name
    // already in use. The active order does not change.
    void AddIndex(const std::u16string& name, int field);
    std::vector<std::u16string> IndexNames() const;
    bool HasIndex(std::u16string_view name) const;
    // Orders all navigation by the index of that name (the empty name: file order); the
    // current record stays current. An unknown name raises IoError.
    void SelectIndex(std::u16string_view name);
    std::u16string ActiveIndex() const;

    // Forces everything written so far to the disk.
    void Sync();

    // Collects appended records in memory and writes them in large blocks (and the header's
    // count once per block) instead of one write per record. Only for work tables that are
    // written whole and discarded when anything fails before Sync(): until a block is
    // written, a crash loses its records. Close(), Sync() and turning it off write the rest.
    void SetAppendBuffering(bool on);

private:
    // Records are read from the file in blocks of about this size.
    static constexpr size_t kReadBufferBytes = 64 * 1024;
    void CheckActive() const;
    void CheckBrowseMode();
    void CheckChangeable() const;
    uint64_t OrderSize() const;
    uint32_t RecAtPosition(uint64_t position) const;
    uint64_t PositionOf(uint32_t recNo) const;
    const char* RecordBytes(uint32_t recNo, bool sequential) const;
    bool LoadCandidate(uint32_t recNo, bool sequential);
    bool Seek(uint64_t start, int step);
    void Reload();
    void ClearCurrent();
    std::string_view FieldBytes(const std::string& record, int field) const;
    std::u16string ValueOf(const std::string& record, uint32_t recNo, int field) const;
    std::string CollationBytes(std::string bytes) const;
    void WriteRecord(uint32_t recNo, const std::string& bytes, bool appended);
    std::string KeyBytes(uint32_t recNo, int field) const;
    void Reindex(DbfIndex& index, uint32_t recNo);
    void FlushAppends();
    bool InAppendBuffer(uint32_t recNo) const { return !appendBuffer_.empty() && recNo >= bufferedFirst_; }

    DbfDiskFile file_;
    DbfMemoFile memo_;
    DbfHeader header_;
    DbfCodePage codePage_ = DbfCodePage::Windows1252();
    std::string path_;
    State state_ = State::Inactive;

    std::string record_;  // current record's bytes
    uint32_t recNo_ = 0;
    uint64_t position_ = 0;  // of the current record in the active order
    bool eof_ = true;
    bool bof_ = true;

    std::string editRecord_;
    std::map<int, std::string> pendingMemos_;  // bytes in the table's code page, by column
    mutable std::set<uint32_t> damagedMemos_;

    FilterCallback filter_;
    bool filtered_ = false;
    bool inFilter_ = false;

    std::vector<DbfIndex> indexes_;
    int activeIndex_ = -1;

    bool appendBuffering_ = false;
    std::string appendBuffer_;  // records bufferedFirst_ .. recordCount, not yet written
    uint32_t bufferedFirst_ = 0;

    // Read buffer: records chunkFirst_ .. chunkFirst_ + chunkCount_ - 1.
    mutable std::string chunk_;
    mutable uint32_t chunkFirst_ = 0;
    mutable uint32_t chunkCount_ = 0;
};
