#pragma once

#include "customers/CustomerProgress.h"
#include "customers/CustomerRestructure.h"

#include <cstdint>
#include <string>

class DbfTable;

// The two halves of a table rebuild, each of which either completes or leaves the files as
// they were (raising IoError).
class CustomerRebuild {
public:
    // Creates the work table at workPath from the plan and copies every record that a walk
    // of source visits into it, column by column as the plan maps them (texts longer than a
    // shortened column are cut). The work table is synced and checked; returns the number
    // of records copied. On failure the work table's files are removed. Progress is the
    // share of the source's records copied.
    static uint32_t CopyInto(DbfTable& source, const RebuildPlan& plan, const std::string& workPath,
                             const CustomerProgress& progress = {});

    // In folder: customers0.* are removed, customers.* become customers0.*, temp.* become
    // customers.*. Every step is checked; when one fails, the steps done so far are undone,
    // so that customers.dbf (with its memo file) is the old table again.
    static void SwapFiles(const std::string& folder);
};
