#pragma once

#include <cstdint>

// The range a numeric setting's field allows. The store file may hold any value for a setting
// (a damaged file, one written by something else); the book keeps it as it is, so that the
// file keeps what it had, and whatever uses the value brings it into the field's range first.
struct SettingRange {
    double minimum;
    double maximum;
    double fallback;  // the setting's default, used for a value that is no number

    // The value within [minimum, maximum]; below or above gives that end, no number the
    // fallback.
    double Clamp(double value) const;
    // The same for a whole-number field, rounded half away from zero as the field shows it.
    int32_t ClampWhole(double value) const;
};

// The ranges of the page geometry and logo fields, in millimetres.
namespace SettingRanges {
inline constexpr SettingRange RandXED{0, 1000, 15};        // "Rand links/rechts:"
inline constexpr SettingRange RandYEd{0, 1000, 15};        // "Rand oben/unten:"
inline constexpr SettingRange AnschriftYED{0, 1000, 45};   // "Anschrift von oben:"
inline constexpr SettingRange AdrXEd{0, 1000, 130};        // "Adresse von links:"
inline constexpr SettingRange LineSTEd{0, 100, 0.1};       // "Linienstärke:"
inline constexpr SettingRange LogoXEd{-10000, 10000, 15};  // "Position von Links:"
inline constexpr SettingRange LogoYEd{-10000, 10000, 15};  // "Position von Oben:"
inline constexpr SettingRange BreitEd{0.01, 10000, 170};   // "Breite:"
}
