#pragma once

#include <cstdint>
#include <string>
#include <vector>

class DbfTable;

// The records whose memo could not be read during one walk of the customer table (the
// table reads such a memo as empty and goes on, see DbfTable::DamagedMemoRecords()), and
// the German sentence that reports them when the walk is done.
class DamagedMemoWalk {
public:
    // At most this many record numbers are named in the report.
    static constexpr size_t kNamedRecords = 20;

    // Starts a walk: the table forgets the damaged memos it met before.
    explicit DamagedMemoWalk(DbfTable& table);

    // After reading the current record: notes it when its memo was found damaged.
    void Visit();
    // Notes every record whose memo the table has found damaged since the walk started
    // (for walks that read records they do not visit, such as a search).
    void TakeAll();

    const std::vector<uint32_t>& Records() const { return records_; }
    // "" when no memo was damaged; otherwise how many records and which (numbers in the
    // file, from 1, ascending), and that their memos were taken as empty.
    std::u16string Report() const;
    static std::u16string Report(std::vector<uint32_t> records);

private:
    DbfTable& table_;
    std::vector<uint32_t> records_;
};
