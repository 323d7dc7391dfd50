#include "customers/CustomerEditBinding.h"

CustomerEditBinding CustomerEditBinding::For(const std::vector<DbfField>& fields)
{
    CustomerEditBinding binding;
    binding.comboFields.fill(-1);
    int k = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].IsMemo())
            binding.memoField = static_cast<int>(i);
        if (fields[i].IsCharacter() && k < kComboCount) {
            binding.comboFields[size_t(k)] = static_cast<int>(i);
            binding.labels[size_t(k)] = LabelForm(fields[i].name);
            ++k;
        }
    }
    return binding;
}

std::u16string CustomerEditBinding::LabelForm(std::u16string_view name)
{
    std::u16string label(name);
    for (char16_t& c : label) {
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    }
    if (!label.empty() && label[0] >= u'a' && label[0] <= u'z')
        label[0] = char16_t(label[0] - u'a' + u'A');
    return label + u":";
}
