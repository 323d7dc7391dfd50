#pragma once

#include <string_view>

// Texts of the page of a hybrid e-invoice beside the numbered catalog: the dates, the VAT
// identification numbers and the rounding line that the e-invoice carries.
namespace HybridPageMessages {

// Each followed by a space and the date (the period: two dates joined by kPeriodDash).
inline constexpr std::u16string_view kSupplyDate = u"Leistungsdatum:";
inline constexpr std::u16string_view kSupplyPeriod = u"Leistungszeitraum:";
inline constexpr std::u16string_view kPeriodDash = u" – ";
inline constexpr std::u16string_view kDueDate = u"Zahlbar bis zum";
// Each followed by a space and the number.
inline constexpr std::u16string_view kSellerVatId = u"USt-IdNr.:";
inline constexpr std::u16string_view kBuyerVatId = u"Ihre USt-IdNr.:";
// The line of the totals that takes up what rounding the lines and the tax leaves.
inline constexpr std::u16string_view kRounding = u"Rundungsbetrag";

}  // namespace HybridPageMessages
