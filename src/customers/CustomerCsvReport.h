#pragma once

#include "customers/CustomerCsvExport.h"
#include "customers/CustomerCsvImport.h"

#include <string>
#include <vector>

// What a CSV export or import of the customer records came to, in the German sentences the
// customer window shows and the command line prints: one wording for both. The window names
// a file it cannot create or open by the numbered message alone (the user has just chosen
// it); the command line adds the system's reason, since nobody chose the file in a dialog.
class CustomerCsvReport {
public:
    enum class Where { Window, CommandLine };

    // The messages after an export; none when every record was written whole.
    static std::vector<std::u16string> Export(const CustomerCsvExport::Result& result, Where where);
    // The file to import could not be opened.
    static std::u16string CannotOpen(const std::string& reason, Where where);
    // Reading stopped part of the way; the records read until then stay.
    static std::u16string ReadStopped(const std::string& reason);
    // The messages after an import; none when every line became a record unchanged.
    static std::vector<std::u16string> Import(const CustomerCsvImport::Result& result);
};
