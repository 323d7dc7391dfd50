#include "invoices/SettingRange.h"

#include <cmath>

double SettingRange::Clamp(double value) const
{
    if (std::isnan(value))
        return fallback;
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

int32_t SettingRange::ClampWhole(double value) const
{
    // The ends of a whole-number field are whole numbers themselves, far inside int32_t.
    return static_cast<int32_t>(std::lround(Clamp(value)));
}
