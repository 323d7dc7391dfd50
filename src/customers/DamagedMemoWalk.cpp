#include "customers/DamagedMemoWalk.h"

#include "dbase/DbfTable.h"

#include <algorithm>

namespace {

std::u16string Number(uint64_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

DamagedMemoWalk::DamagedMemoWalk(DbfTable& table) : table_(table)
{
    table_.ForgetDamagedMemos();
}

void DamagedMemoWalk::Visit()
{
    if (table_.DamagedMemoRecords().empty())
        return;
    const uint32_t recNo = table_.RecNo();
    if (recNo != 0 && table_.MemoDamaged(recNo) && (records_.empty() || records_.back() != recNo))
        records_.push_back(recNo);
}

void DamagedMemoWalk::TakeAll()
{
    records_.assign(table_.DamagedMemoRecords().begin(), table_.DamagedMemoRecords().end());
}

std::u16string DamagedMemoWalk::Report() const
{
    return Report(records_);
}

std::u16string DamagedMemoWalk::Report(std::vector<uint32_t> records)
{
    if (records.empty())
        return {};
    std::sort(records.begin(), records.end());
    std::u16string text =
        records.size() == 1
            ? u"1 Datensatz hat ein beschädigtes Memo, das als leer behandelt wurde: Nr. "
            : Number(records.size()) + u" Datensätze haben ein beschädigtes Memo, das als leer behandelt wurde: Nr. ";
    const size_t named = std::min(records.size(), kNamedRecords);
    for (size_t i = 0; i < named; ++i) {
        if (i > 0)
            text += u", ";
        text += Number(records[i]);
    }
    if (records.size() > named)
        text += u" und " + Number(records.size() - named) + u" weitere";
    return text + u".";
}
