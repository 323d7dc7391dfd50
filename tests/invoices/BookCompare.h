#pragma once

#include <string>

class TRechnungBook;
struct TRechnungSettings;

// Describes the first difference between two books' invoices, positions, articles, reserved
// flags and settings; empty when they hold the same.
std::string BookDifference(const TRechnungBook& a, const TRechnungBook& b);

// The settings a book holds after reading a file that ends after `lastSection` (3 to 22),
// starting from the defaults, when the whole file held `full`.
TRechnungSettings SettingsAfterSection(int lastSection, const TRechnungSettings& full);
