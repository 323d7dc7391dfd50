#pragma once

#include "invoices/TRechnungSettings.h"

#include <string>
#include <string_view>
#include <vector>

// The units of positions are free texts; an electronic invoice carries UN/ECE Recommendation
// 20 codes. The unit table of the settings maps one to the other.

// The code of a position without a unit or with a unit the table does not hold: "one".
inline constexpr std::u16string_view kUnitCodeOne = u"C62";

// The German units in common use and their codes: Stück, Stk. H87; Std., Stunde, Stunden HUR;
// Tag, Tage DAY; Monat MON; kg KGM; g GRM; t TNE; m MTR; m² MTK; m³ MTQ; l LTR; km KMT;
// Pauschal, pausch., psch. LS; Paket XPK.
std::vector<TEinheitCode> DefaultUnitMap();

// The code for a position's unit: the first row whose unit equals it (spaces around and the
// case of letters do not count); C62 for an empty or unknown unit.
std::u16string UnitCodeFor(const std::vector<TEinheitCode>& table, std::u16string_view einheit);
