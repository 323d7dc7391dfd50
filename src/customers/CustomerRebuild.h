#pragma once

#include "customers/CustomerFiles.h"
#include "customers/CustomerProgress.h"
#include "customers/CustomerRestructure.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class DbfTable;

// The two halves of a table rebuild, each of which either completes or leaves the files as
// they were (raising IoError). A rebuild that is stopped anywhere in between (the program
// killed) leaves files that CustomerRecovery puts back together; the order of the moves and
// what each stop leaves are listed there.
class CustomerRebuild {
public:
    // Told after each file operation, with a short description (for tests that stop there).
    using StepObserver = std::function<void(std::string_view step)>;

    // Creates the work table (files.workTable with files.workMemo) from the plan and copies
    // every record that a walk of source visits into it, column by column as the plan maps
    // them: texts longer than a shortened column are cut, values of columns that keep their
    // type and size are copied byte for byte. The work table is synced and checked, and only
    // then sealed (its tag written, see DbfPairTag); returns the number of records copied.
    // On failure the work table's files are removed. Progress is the share of the source's
    // records copied.
    static uint32_t CopyInto(DbfTable& source, const RebuildPlan& plan, const CustomerFiles& files,
                             const CustomerProgress& progress = {}, const StepObserver& observer = {});

    // customers0.* are removed, customers.dbt becomes customers0.dbt, customers.dbf
    // customers0.dbf, temp.dbt customers.dbt and temp.dbf customers.dbf. Every step is
    // checked; when one fails, the steps done so far are undone, so that customers.dbf
    // (with its memo file) is the old table again.
    static void SwapFiles(const CustomerFiles& files, const StepObserver& observer = {});

    // After a swap whose new table does not open: the new files go back to temp.*, the old
    // ones to customers.*, in the reverse order of the swap. Reports nothing; what it could
    // not do is left for the recovery at the next start.
    static void UndoSwap(const CustomerFiles& files) noexcept;
};
