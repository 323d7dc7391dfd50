#pragma once

#include "customers/CustomerProgress.h"
#include "customers/CustomerRestructure.h"
#include "dbase/DbfTable.h"

#include <functional>
#include <string>
#include <string_view>

// The customer table of the data folder (customers.dbf with customers.dbt) as the customer
// window and the other customer operations use it: opened once at start and kept open,
// searched through the window's filter, and rebuilt through temp.dbf when its columns change.
class CustomerTable {
public:
    enum class InitResult {
        Opened,        // the existing table
        Created,       // there was none: a new one with the standard columns
        Recovered,     // a rebuild had been stopped half-way; the newest whole table is back
        OpenFailed,    // the existing table cannot be opened, or the files left by a stopped
                       // rebuild do not tell which table is the right one; nothing is changed
        CreateFailed,  // there was none and none could be created
    };
    // Told after each file operation of a rebuild or a recovery (for tests that stop there).
    using StepObserver = std::function<void(std::string_view step)>;

    CustomerTable();

    // Opens customers.dbf in dataFolder (ending in "/"), or creates it with the standard
    // columns when none of the table's files (customers.*, customers0.*, temp.*) is there.
    // Files left by a rebuild that was stopped half-way are first put back together
    // (CustomerRecovery), and the user is told what was found and done. A table that exists
    // but cannot be opened is never replaced: the user is told, and the file stays. A table
    // cut off inside its records opens with its whole records and stays unchanged until
    // something is changed (RepairBeforeChange); the user is told. A table with fewer than
    // 15 columns gets "Kostenst" (45) appended by a rebuild, keeping all records.
    InitResult InitDataBase(const std::string& dataFolder);

    // Dbf1: the open table (it is not active when opening failed).
    DbfTable& Dbf1() { return dbf1_; }
    const DbfTable& Dbf1() const { return dbf1_; }
    const std::string& Folder() const { return folder_; }
    std::string TablePath() const { return folder_ + "customers.dbf"; }

    // The search: folds the text (a-z), filters when it is not empty, and moves to the first
    // visible record. ShowAll() ends the search.
    void ApplyFilter(std::u16string_view text);
    void ShowAll() { ApplyFilter(u""); }
    const std::u16string& FilterText() const { return filtertext_; }

    // Sorting by a column title: adds an index named like the column if there is none and
    // makes it active. Errors (a memo column) are swallowed; false then.
    bool SortByColumn(const std::u16string& columnName);

    // Appends a character column by a rebuild.
    bool AddnewField(const std::u16string& name, int length);
    // Rebuilds the table with the plan's columns. Every record is copied whatever the
    // search, in the active order; the old table is kept as customers0.dbf/.dbt. On any
    // failure the user is told and customers.dbf stays readable with all its records; the
    // result is then false. Records whose memo cannot be read are copied with an empty memo
    // only when the user agrees; otherwise nothing changes (false).
    bool Rebuild(const RebuildPlan& plan);
    // Where rebuilds report how far they are.
    void SetProgress(CustomerProgress progress) { progress_ = std::move(progress); }
    void SetStepObserver(StepObserver observer) { observer_ = std::move(observer); }

    // To be called before any change of the records: a table that is cut off is first
    // written anew with its whole records (a rebuild with the same columns, so that the
    // damaged file is kept as customers0.*). True when the table may be changed now; false
    // (the user told) when it is not open or the rebuild failed.
    bool RepairBeforeChange();

private:
    void InstallFilter();
    // Asks whether a rebuild may copy records whose memo could not be read with an empty memo.
    static bool KeepDamagedMemosEmpty(const std::u16string& damagedMemos);

    DbfTable dbf1_;
    std::string folder_;
    std::u16string filtertext_;
    CustomerProgress progress_;
    StepObserver observer_;
};
