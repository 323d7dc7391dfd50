#pragma once

#include <string>

// The six files of the customer table as a rebuild moves them: the table and its memo
// (customers.dbf/.dbt), the kept previous table (customers0.*) and the work table (temp.*).
// When customers.dbf or customers.dbt is a symbolic link, the file it finally names is the
// one that is replaced, and the kept and the work file of that kind lie beside it, so that
// the link stays a link through every rebuild.
struct CustomerFiles {
    std::string table, memo;          // customers.dbf/.dbt, or the links' targets
    std::string oldTable, oldMemo;    // customers0.dbf/.dbt beside them
    std::string workTable, workMemo;  // temp.dbf/.dbt beside them

    // For the data folder (ending in "/"). Raises IoError for a loop of links.
    static CustomerFiles In(const std::string& folder);
};
