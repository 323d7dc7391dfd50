#pragma once

#include <string>
#include <string_view>

// Small text rules shared by the electronic invoice code.

// Without spaces, tabs and line breaks at either end.
std::u16string_view Trimmed(std::u16string_view text);

// Lower case for comparing names: A to Z and the capitals of Latin-1 (Ä, Ö, Ü, É, ...).
std::u16string FoldCase(std::u16string_view text);

// Without any spaces, in upper case (A to Z): how identifiers such as an IBAN are typed with
// spaces for reading and compared.
std::u16string Compact(std::u16string_view text);

// A text as an XML document may carry it: CR LF and a lone CR become LF, and the control
// characters that XML does not allow (all below U+0020 but tab and LF) become spaces.
std::u16string XmlText(std::u16string_view text);

// The first line of a text that is not blank, trimmed, and the lines after it (trimmed at
// either end of the whole); both empty for a blank text. Lines end in LF, CR LF or CR.
struct FirstLineAndRest {
    std::u16string first;
    std::u16string rest;
};
FirstLineAndRest SplitFirstLine(std::u16string_view text);
