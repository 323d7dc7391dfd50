#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts of the archive (PDF/A-3) parts of a PDF file: dates, text strings, names and XML.

// The local time of `time` (seconds since the epoch) shifted by the offset, as a PDF date
// D:YYYYMMDDHHmmSS+HH'mm' and as an XMP date YYYY-MM-DDTHH:MM:SS+HH:MM.
std::string PdfDateText(int64_t time, int32_t utcOffsetMinutes);
std::string XmpDateText(int64_t time, int32_t utcOffsetMinutes);

// A PDF text string: a literal string "(...)" with \ ( ) and control characters escaped when
// the text is printable ASCII, otherwise a hex string of UTF-16BE with byte-order mark.
std::string PdfTextString(std::u16string_view text);
// A PDF literal string of bytes with \ ( ) and every byte outside 32..126 escaped.
std::string PdfByteString(std::string_view bytes);
// A PDF name "/..." with every byte outside 33..126 and every delimiter written as #xx.
std::string PdfName(std::string_view name);

// Text for XML character data and attribute values: & < > " ' escaped, in UTF-8.
std::string XmlEscaped(std::u16string_view text);
std::string XmlEscaped(std::string_view utf8);
