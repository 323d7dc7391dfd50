#include "dbase/DbfTable.h"

#include "dbase/DbfCollation.h"
#include "dbase/DbfName.h"
#include "dbase/DbfValueCodec.h"
#include "foundation/AtomicFileSink.h"
#include "foundation/Cp1252.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace {

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

DbfTable::~DbfTable()
{
    try {
        Close();
    } catch (const IoError&) {
        // An edit that cannot be stored at destruction is lost; nothing can report it here.
    }
}

std::string DbfTable::MemoPathFor(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        const std::string ext = path.substr(dot);
        if (ext == ".DBF")
            return path.substr(0, dot) + ".DBT";
        return path.substr(0, dot) + ".dbt";
    }
    return path + ".dbt";
}

namespace {

void CreateTagged(const std::string& path, const std::vector<DbfField>& fields, uint8_t languageDriver,
                  const std::string& memoFile, const DbfPairTag& tag, bool sealed)
{
    CheckDbfFields(fields, path, DbfCodePage::ForLanguageDriver(languageDriver));
    DbfHeader header = MakeDbfHeader(fields, languageDriver);
    if (sealed)
        header.tag = tag;
    const std::string memoPath = memoFile.empty() ? DbfTable::MemoPathFor(path) : memoFile;
    AtomicFileSink table(path);
    table.WriteBytes(SerializeDbfHeader(header));
    table.WriteU8(0x1A);
    if (header.HasMemoFile()) {
        AtomicFileSink memo(memoPath);
        memo.WriteBytes(DbfMemoFile::NewFileHeader(BaseName(path), tag));
        memo.Commit();
    } else if (std::remove(memoPath.c_str()) != 0 && errno != ENOENT) {
        throw IoError::FromErrno(memoPath);
    }
    table.Commit();
}

}  // namespace

void DbfTable::Create(const std::string& path, const std::vector<DbfField>& fields, uint8_t languageDriver,
                      const std::string& memoPath)
{
    CreateTagged(path, fields, languageDriver, memoPath, DbfPairTag::New(), true);
}

DbfPairTag DbfTable::CreateUnsealed(const std::string& path, const std::vector<DbfField>& fields,
                                    uint8_t languageDriver, const std::string& memoPath)
{
    const DbfPairTag tag = DbfPairTag::New();
    CreateTagged(path, fields, languageDriver, memoPath, tag, false);
    return tag;
}

bool DbfTable::HasMemoFields() const
{
    return std::any_of(header_.fields.begin(), header_.fields.end(), [](const DbfField& f) { return f.IsMemo(); });
}

void DbfTable::Seal(const DbfPairTag& tag)
{
    CheckActive();
    CheckChangeable();
    FlushAppends();
    if (memo_.IsOpen())
        memo_.Sync();
    file_.Sync();
    const std::string bytes = tag.Bytes();
    file_.WriteAt(DbfPairTag::kTableOffset, bytes.data(), bytes.size());
    file_.Sync();
    header_.tag = tag;
}

bool DbfTable::OpenFilesAre(const std::string& tablePath, const std::string& memoPath) const
{
    return Active() && file_.IsFileAt(tablePath) && (!memo_.IsOpen() || memo_.File().IsFileAt(memoPath));
}

void DbfTable::CheckChangeable() const
{
    if (header_.CutOff())
        throw IoError(path_, "Die Tabelle ist beschädigt (die Datei endet mitten in den Datensätzen) und wird nicht "
                             "verändert, bevor sie neu geschrieben ist");
}

void DbfTable::Open(const std::string& path, const std::string& memoPath)
{
    Close();
    DbfHeader header;
    {
        FileByteSource source(path);
        header = ReadDbfHeader(source, source.Size());
    }
    file_.Open(path);
    const bool hasMemoField =
        std::any_of(header.fields.begin(), header.fields.end(), [](const DbfField& f) { return f.IsMemo(); });
    try {
        if (file_.Size() < header.RecordOffset(header.recordCount + 1))
            throw IoError(path, "Beschädigte dBase-Tabelle: die Datei ist kürzer als angegeben");
        if (hasMemoField) {
            memo_.Open(memoPath.empty() ? MemoPathFor(path) : memoPath, header.version == DbfHeader::kVersionDBase3Memo
                                                                            ? DbfMemoFile::Style::DBase3
                                                                            : DbfMemoFile::Style::DBase4);
        }
        header_ = std::move(header);
        codePage_ = header_.CodePage();
        damagedMemos_.clear();
        path_ = path;
        state_ = State::Browse;
        First();
    } catch (...) {
        memo_.Close();
        file_.Close();
        header_ = DbfHeader();
        state_ = State::Inactive;
        throw;
    }
}

void DbfTable::Close()
{
    if (state_ == State::Inactive)
        return;
    Post();
    FlushAppends();
    memo_.Close();
    file_.Close();
    header_ = DbfHeader();
    codePage_ = DbfCodePage::Windows1252();
    damagedMemos_.clear();
    state_ = State::Inactive;
    indexes_.clear();
    activeIndex_ = -1;
    ClearCurrent();
    chunk_.clear();
    chunk_.shrink_to_fit();
    chunkFirst_ = chunkCount_ = 0;
}

int DbfTable::FieldIndex(std::u16string_view name) const
{
    for (size_t i = 0; i < header_.fields.size(); ++i) {
        if (SameDbfName(header_.fields[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

void DbfTable::CheckActive() const
{
    if (state_ == State::Inactive)
        throw IoError(path_, "Die Tabelle ist nicht geöffnet");
}

void DbfTable::CheckBrowseMode()
{
    CheckActive();
    if (inFilter_)
        throw IoError(path_, "Die Tabelle kann während der Filterprüfung nicht bewegt werden");
    if (state_ == State::Edit || state_ == State::Insert)
        Post();
}

std::string_view DbfTable::FieldBytes(const std::string& record, int field) const
{
    return std::string_view(record).substr(header_.offsets.at(size_t(field)),
                                           size_t(header_.fields[size_t(field)].length));
}

std::u16string DbfTable::ValueOf(const std::string& record, uint32_t recNo, int field) const
{
    const DbfField& f = Field(field);
    const std::string_view bytes = FieldBytes(record, field);
    if (!f.IsMemo())
        return DbfValueCodec::Decode(f, bytes, codePage_);
    const std::optional<uint32_t> block = DbfValueCodec::ParseMemoBlock(bytes);
    if (block && *block == 0)
        return {};
    if (!memo_.IsOpen())
        throw IoError(path_, "Die Memodatei ist nicht geöffnet");
    std::optional<std::string> text;
    if (block)
        text = memo_.ReadIfSound(*block);
    if (!text) {
        if (recNo != 0)
            damagedMemos_.insert(recNo);
        return {};
    }
    return codePage_.Decode(*text);
}

std::u16string DbfTable::Value(int field) const
{
    CheckActive();
    Field(field);  // range check
    if (state_ == State::Edit || state_ == State::Insert) {
        const auto pending = pendingMemos_.find(field);
        if (pending != pendingMemos_.end())
            return codePage_.Decode(pending->second);
        return ValueOf(editRecord_, state_ == State::Edit ? recNo_ : 0, field);
    }
    if (recNo_ == 0)
        return {};
    return ValueOf(record_, recNo_, field);
}

std::u16string DbfTable::Value(std::u16string_view name) const
{
    const int field = FieldIndex(name);
    if (field < 0)
        throw IoError(path_, "Feld nicht gefunden: " + Utf16ToUtf8(name));
    return Value(field);
}

std::u16string DbfTable::ValueAt(uint32_t recNo, int field) const
{
    CheckActive();
    Field(field);
    if (recNo == recNo_ && state_ == State::Browse)
        return ValueOf(record_, recNo, field);
    if (recNo == 0 || recNo > header_.recordCount)
        return {};
    const std::string record(RecordBytes(recNo, true), header_.recordLength);
    return ValueOf(record, recNo, field);
}

std::string_view DbfTable::RawValue(int field) const
{
    CheckActive();
    if (Field(field).IsMemo())
        throw IoError(path_, "Ein Memofeld hat keinen festen Inhalt im Datensatz");
    const bool editing = state_ == State::Edit || state_ == State::Insert;
    if (!editing && recNo_ == 0)
        return {};
    return FieldBytes(editing ? editRecord_ : record_, field);
}

void DbfTable::SetRawValue(int field, std::string_view bytes)
{
    CheckActive();
    const DbfField& f = Field(field);
    if (f.IsMemo())
        throw IoError(path_, "Ein Memofeld hat keinen festen Inhalt im Datensatz");
    if (state_ == State::Browse)
        Edit();
    std::string stored(bytes.substr(0, size_t(f.length)));
    stored.resize(size_t(f.length), ' ');
    std::copy(stored.begin(), stored.end(), editRecord_.begin() + header_.offsets[size_t(field)]);
}

void DbfTable::Append()
{
    CheckBrowseMode();
    CheckChangeable();
    editRecord_.assign(header_.recordLength, ' ');
    pendingMemos_.clear();
    state_ = State::Insert;
}

void DbfTable::Edit()
{
    CheckActive();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (recNo_ == 0)
        throw IoError(path_, "Kein aktueller Datensatz zum Bearbeiten");
    CheckChangeable();
    editRecord_ = record_;
    pendingMemos_.clear();
    state_ = State::Edit;
}

void DbfTable::SetValue(int field, std::u16string_view text)
{
    CheckActive();
    const DbfField& f = Field(field);
    if (state_ == State::Browse)
        Edit();
    if (f.IsMemo()) {
        pendingMemos_[field] = codePage_.Encode(text);
        return;
    }
    const std::string bytes = DbfValueCodec::Encode(f, text, codePage_, path_);
    std::copy(bytes.begin(), bytes.end(), editRecord_.begin() + header_.offsets[size_t(field)]);
}

void DbfTable::SetValue(std::u16string_view name, std::u16string_view text)
{
    const int field = FieldIndex(name);
    if (field < 0)
        throw IoError(path_, "Feld nicht gefunden: " + Utf16ToUtf8(name));
    SetValue(field, text);
}

void DbfTable::WriteRecord(uint32_t recNo, const std::string& bytes, bool appended)
{
    const uint64_t offset = header_.RecordOffset(recNo);
    if (appendBuffering_ && appended) {
        if (appendBuffer_.empty())
            bufferedFirst_ = recNo;
        appendBuffer_ += bytes;
        header_.recordCount = recNo;
        if (appendBuffer_.size() >= 4 * kReadBufferBytes)
            FlushAppends();
        return;
    }
    if (InAppendBuffer(recNo)) {
        std::copy(bytes.begin(), bytes.end(),
                  appendBuffer_.begin() + size_t(recNo - bufferedFirst_) * header_.recordLength);
        return;
    }
    if (appended) {
        std::string data = bytes;
        data += '\x1A';
        file_.WriteAt(offset, data.data(), data.size());
        // The count goes last: until it is written, readers simply do not see the record.
        const std::string dateCount = DbfDateAndCount(recNo);
        file_.WriteAt(1, dateCount.data(), dateCount.size());
        header_.recordCount = recNo;
    } else {
        file_.WriteAt(offset, bytes.data(), bytes.size());
        const std::string dateCount = DbfDateAndCount(header_.recordCount);
        file_.WriteAt(1, dateCount.data(), dateCount.size());
    }
    if (recNo >= chunkFirst_ && recNo - chunkFirst_ < chunkCount_)
        std::copy(bytes.begin(), bytes.end(), chunk_.begin() + size_t(recNo - chunkFirst_) * header_.recordLength);
}

void DbfTable::Post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    const bool inserting = state_ == State::Insert;
    if (inserting && header_.recordCount == std::numeric_limits<uint32_t>::max())
        throw IoError(path_, "Die Tabelle ist voll");
    // Memos first: the record then points only to text that is already complete.
    const bool wroteMemo = !pendingMemos_.empty();
    for (auto it = pendingMemos_.begin(); it != pendingMemos_.end();) {
        if (!memo_.IsOpen())
            throw IoError(path_, "Die Memodatei ist nicht geöffnet");
        const std::string pointer = DbfValueCodec::MemoPointer(memo_.Write(it->second));
        std::copy(pointer.begin(), pointer.end(), editRecord_.begin() + header_.offsets[size_t(it->first)]);
        it = pendingMemos_.erase(it);
    }
    const uint32_t recNo = inserting ? header_.recordCount + 1 : recNo_;
    WriteRecord(recNo, editRecord_, inserting);
    if (wroteMemo)
        damagedMemos_.erase(recNo);  // a new memo mends a damaged one
    record_ = editRecord_;
    recNo_ = recNo;
    state_ = State::Browse;
    for (DbfIndex& index : indexes_)
        Reindex(index, recNo);
    position_ = PositionOf(recNo);
    eof_ = bof_ = false;
}

void DbfTable::Cancel()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    editRecord_.clear();
    pendingMemos_.clear();
}

void DbfTable::Delete()
{
    CheckActive();
    if (state_ == State::Insert) {
        Cancel();
        return;
    }
    Cancel();
    if (recNo_ == 0)
        throw IoError(path_, "Kein aktueller Datensatz zum Löschen");
    CheckChangeable();
    std::string flagged = record_;
    flagged[0] = '*';
    WriteRecord(recNo_, flagged, false);
    const uint64_t position = position_;
    if (Seek(position + 1, +1)) {
        eof_ = bof_ = false;
        return;
    }
    if (position > 0 && Seek(position - 1, -1)) {
        eof_ = true;
        bof_ = false;
        return;
    }
    ClearCurrent();
}

void DbfTable::SetFiltered(bool on)
{
    if (state_ == State::Inactive) {
        filtered_ = on;
        return;
    }
    CheckBrowseMode();
    filtered_ = on;
    First();
}

// The collation orders Windows-1252 bytes; text of another code page is converted first.
void DbfTable::FlushAppends()
{
    if (appendBuffer_.empty())
        return;
    appendBuffer_ += '\x1A';
    file_.WriteAt(header_.RecordOffset(bufferedFirst_), appendBuffer_.data(), appendBuffer_.size());
    const std::string dateCount = DbfDateAndCount(header_.recordCount);
    file_.WriteAt(1, dateCount.data(), dateCount.size());
    appendBuffer_.clear();
}

void DbfTable::SetAppendBuffering(bool on)
{
    if (!on && state_ != State::Inactive)
        FlushAppends();
    appendBuffering_ = on;
}

void DbfTable::Sync()
{
    FlushAppends();
    file_.Sync();
    if (memo_.IsOpen())
        memo_.Sync();
}
