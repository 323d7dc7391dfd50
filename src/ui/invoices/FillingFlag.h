#pragma once

#include "ui/shared/ScopedFlag.h"

// The invoice windows' re-entrancy guard ("inCH"): set while the program itself fills the
// edit controls or changes the data, so that the controls' change handlers do not write the
// shown values back. One flag is shared by the main window's pages; it is set only through
// Hold(), whose scope restores it.
class FillingFlag {
public:
    bool IsSet() const { return set_; }
    [[nodiscard]] ScopedFlag Hold() { return ScopedFlag(set_); }

private:
    bool set_ = false;
};
