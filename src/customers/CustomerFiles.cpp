#include "customers/CustomerFiles.h"

#include "foundation/LinkTarget.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

CustomerFiles CustomerFiles::In(const std::string& folder)
{
    CustomerFiles files;
    files.table = LinkTarget(folder + "customers.dbf");
    files.memo = LinkTarget(folder + "customers.dbt");
    const std::string tableFolder = FolderOf(files.table);
    const std::string memoFolder = FolderOf(files.memo);
    files.oldTable = tableFolder + "customers0.dbf";
    files.oldMemo = memoFolder + "customers0.dbt";
    files.workTable = tableFolder + "temp.dbf";
    files.workMemo = memoFolder + "temp.dbt";
    return files;
}
