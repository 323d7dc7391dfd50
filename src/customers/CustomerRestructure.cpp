#include "customers/CustomerRestructure.h"

#include "customers/CustomerSchema.h"

namespace {

RebuildPlan Same(const std::vector<DbfField>& fields)
{
    RebuildPlan plan;
    plan.fields = fields;
    for (size_t i = 0; i < fields.size(); ++i)
        plan.copyFrom.push_back(static_cast<int>(i));
    return plan;
}

}  // namespace

RebuildPlan CustomerRestructure::AddField(const std::vector<DbfField>& fields, const std::u16string& name, int length)
{
    RebuildPlan plan = Same(fields);
    plan.fields.push_back(DbfField::Character(name, length));
    plan.copyFrom.push_back(-1);
    return plan;
}

std::optional<RebuildPlan> CustomerRestructure::DeleteLastField(const std::vector<DbfField>& fields)
{
    if (fields.size() <= size_t(CustomerSchema::kStandardColumnCount))
        return std::nullopt;
    RebuildPlan plan = Same(fields);
    const size_t last = fields.size() - 1;
    if (fields[last].IsMemo()) {
        plan.fields.erase(plan.fields.begin() + static_cast<std::ptrdiff_t>(last - 1));
        plan.copyFrom.erase(plan.copyFrom.begin() + static_cast<std::ptrdiff_t>(last - 1));
    } else {
        plan.fields.pop_back();
        plan.copyFrom.pop_back();
    }
    return plan;
}

std::optional<int> CustomerRestructure::WholeNumber(std::u16string_view text)
{
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

RebuildPlan CustomerRestructure::ChangeLengths(const std::vector<DbfField>& fields,
                                               const std::vector<std::u16string>& lengths)
{
    RebuildPlan plan = Same(fields);
    for (size_t i = 0; i < plan.fields.size() && i < lengths.size(); ++i) {
        // Memos, dates and logical values have the one length that dBase gives them.
        if (plan.fields[i].IsMemo() || plan.fields[i].type == 'D' || plan.fields[i].type == 'L')
            continue;
        if (const auto length = WholeNumber(lengths[i]))
            plan.fields[i].length = *length;
    }
    return plan;
}

RebuildPlan CustomerRestructure::Reorder(const std::vector<DbfField>& fields, const std::vector<int>& order)
{
    RebuildPlan plan;
    for (int from : order) {
        plan.fields.push_back(fields.at(size_t(from)));
        plan.copyFrom.push_back(from);
    }
    return plan;
}
