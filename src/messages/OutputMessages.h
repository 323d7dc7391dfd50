#pragma once

#include <string_view>

// Texts of the invoice output beside the numbered catalog: a PDF file that could not be
// begun, an image that a drawing device could not take, and the caption of the GiroCode.
namespace OutputMessages {

inline constexpr std::u16string_view kPdfNotCreated = u"Konnte PDF-Datei nicht erstellen!";

// The steps of drawing an image through a device bitmap, each of which may fail.
inline constexpr std::u16string_view kBitmapNotCreated = u"Could not create bitmap.";
inline constexpr std::u16string_view kRowsNotTaken = u"The device does not support the Funtkion setdibits!";
inline constexpr std::u16string_view kNotStretched = u"The device does not support the function StretchBlt!";

// Under the GiroCode of an invoice.
inline constexpr std::u16string_view kGiroCodeCaption = u"Zahlen mit Code";

}  // namespace OutputMessages
