// The table's indexes: keys in the table's collation, adding, choosing and keeping them in
// step with edits.
#include "dbase/DbfTable.h"

#include "dbase/DbfCollation.h"
#include "dbase/DbfName.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"

#include <algorithm>

std::string DbfTable::CollationBytes(std::string bytes) const
{
    return codePage_.IsWindows1252() ? bytes : EncodeCp1252(codePage_.Decode(bytes));
}

std::string DbfTable::KeyBytes(uint32_t recNo, int field) const
{
    return CollationBytes(std::string(RecordBytes(recNo, false) + header_.offsets[size_t(field)],
                                      size_t(header_.fields[size_t(field)].length)));
}

void DbfTable::Reindex(DbfIndex& index, uint32_t recNo)
{
    auto& order = index.order;
    const auto old = std::find(order.begin(), order.end(), recNo);
    if (old != order.end())
        order.erase(old);
    const std::string key = KeyBytes(recNo, index.field);
    size_t low = 0;
    size_t high = order.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        const int compared = DbfCollation::Compare(KeyBytes(order[middle], index.field), key);
        if (compared < 0 || (compared == 0 && order[middle] < recNo))
            low = middle + 1;
        else
            high = middle;
    }
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(low), recNo);
}

void DbfTable::AddIndex(const std::u16string& name, int field)
{
    CheckBrowseMode();
    const DbfField& f = Field(field);
    if (f.IsMemo())
        throw IoError(path_, "Ein Memofeld kann nicht indiziert werden");
    if (name.empty() || HasIndex(name))
        throw IoError(path_, "Der Index \"" + Utf16ToUtf8(name) + "\" existiert bereits");
    struct Entry {
        std::string key;
        std::string bytes;
        uint32_t recNo;
    };
    std::vector<Entry> entries;
    entries.reserve(header_.recordCount);
    const size_t offset = header_.offsets[size_t(field)];
    for (uint32_t recNo = 1; recNo <= header_.recordCount; ++recNo) {
        const char* record = RecordBytes(recNo, true);
        std::string bytes = CollationBytes(std::string(record + offset, size_t(f.length)));
        while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0'))
            bytes.pop_back();
        entries.push_back({DbfCollation::Key(bytes), std::move(bytes), recNo});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (const int c = a.key.compare(b.key); c != 0)
            return c < 0;
        if (const int c = a.bytes.compare(b.bytes); c != 0)
            return c < 0;
        return a.recNo < b.recNo;
    });
    DbfIndex index;
    index.name = name;
    index.field = field;
    index.order.reserve(entries.size());
    for (const Entry& entry : entries)
        index.order.push_back(entry.recNo);
    indexes_.push_back(std::move(index));
}

std::vector<std::u16string> DbfTable::IndexNames() const
{
    std::vector<std::u16string> names;
    for (const DbfIndex& index : indexes_)
        names.push_back(index.name);
    return names;
}

bool DbfTable::HasIndex(std::u16string_view name) const
{
    return std::any_of(indexes_.begin(), indexes_.end(),
                       [&](const DbfIndex& index) { return SameDbfName(index.name, name); });
}

void DbfTable::SelectIndex(std::u16string_view name)
{
    CheckBrowseMode();
    int found = -1;
    if (!name.empty()) {
        for (size_t i = 0; i < indexes_.size(); ++i) {
            if (SameDbfName(indexes_[i].name, name))
                found = static_cast<int>(i);
        }
        if (found < 0)
            throw IoError(path_, "Index nicht gefunden: " + Utf16ToUtf8(name));
    }
    activeIndex_ = found;
    if (recNo_ != 0) {
        position_ = PositionOf(recNo_);
        eof_ = bof_ = false;
    } else {
        First();
    }
}

std::u16string DbfTable::ActiveIndex() const
{
    return activeIndex_ >= 0 ? indexes_[size_t(activeIndex_)].name : std::u16string();
}
