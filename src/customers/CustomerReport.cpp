#include "customers/CustomerReport.h"

#include "customers/DamagedMemoWalk.h"
#include "dbase/DbfTable.h"

std::u16string CustomerReport::Line(std::u16string_view name, std::u16string_view value)
{
    std::u16string line(name);
    line += u": ";
    if (line.size() < kNameWidth)
        line.append(kNameWidth - line.size(), u' ');
    line += u'\t';
    line += value;
    return line;
}

std::vector<std::u16string> CustomerReport::SplitLines(std::u16string_view text)
{
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::u16string> CustomerReport::RecordLines(const DbfTable& table)
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < table.FieldCount(); ++i) {
        for (std::u16string& line : SplitLines(Line(table.Field(i).name, table.Value(i))))
            lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<uint32_t> CustomerReport::FilledCounts(DbfTable& table, const CustomerProgress& progress,
                                                   std::vector<uint32_t>* damagedMemos)
{
    DamagedMemoWalk damaged(table);
    CustomerProgressSteps steps(progress);
    std::vector<uint32_t> counts(static_cast<size_t>(table.FieldCount()), 0);
    const uint64_t total = table.PhysicalRecordCount();
    uint64_t walked = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        for (int i = 0; i < table.FieldCount(); ++i) {
            if (!table.Value(i).empty())
                ++counts[size_t(i)];
        }
        damaged.Visit();
        steps.Report(++walked, total);
    }
    if (damagedMemos)
        *damagedMemos = damaged.Records();
    return counts;
}

std::vector<std::u16string> CustomerReport::CountLines(const DbfTable& table, const std::vector<uint32_t>& counts)
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < table.FieldCount() && size_t(i) < counts.size(); ++i) {
        const std::string number = std::to_string(counts[size_t(i)]);
        lines.push_back(Line(table.Field(i).name, std::u16string(number.begin(), number.end())));
    }
    return lines;
}
