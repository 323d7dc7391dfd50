#pragma once

#include "customers/CustomerFiles.h"

#include <functional>
#include <string>
#include <string_view>

// Puts the customer table back together after a rebuild that was stopped half-way (the
// program killed, the machine off): finds which of customers.*, customers0.* and temp.* hold
// whole tables, and brings back the newest one as customers.dbf/.dbt, one rename at a time,
// so that stopping the recovery itself leaves a state that the next run recognises. When the
// files do not tell for sure what happened, nothing is touched.
class CustomerRecovery {
public:
    enum class Outcome {
        Normal,     // customers.dbf is there with its memo file (or needs none): nothing to do
        NoTable,    // none of the six files is there: a new table may be created
        Recovered,  // the table was brought back; report says from what
        Undecided,  // nothing was touched; report says what was found
    };
    struct Result {
        Outcome outcome = Outcome::Normal;
        std::u16string report;  // German, for the user: what was found and what was done
    };
    // Told after each rename, with a short description (for tests that stop there).
    using StepObserver = std::function<void(std::string_view step)>;

    // Looks at the files and, with mayChange, recovers. Without it, a state that needs a
    // recovery gives Undecided with reasonWhyNot in the report.
    static Result Run(const CustomerFiles& files, bool mayChange, const std::u16string& reasonWhyNot = {},
                      const StepObserver& observer = {});
};
