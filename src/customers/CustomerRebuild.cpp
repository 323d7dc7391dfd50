#include "customers/CustomerRebuild.h"

#include "dbase/DbfTable.h"
#include "foundation/IoError.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void RemoveIfThere(const std::string& path)
{
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        throw IoError::FromErrno(path);
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The renames reach the disk in both folders (the table's and the memo's, one when they
// are the same).
void SyncFolders(const CustomerFiles& files)
{
    SyncFolder(FolderOf(files.table));
    if (FolderOf(files.memo) != FolderOf(files.table))
        SyncFolder(FolderOf(files.memo));
}

void Observe(const CustomerRebuild::StepObserver& observer, std::string_view step)
{
    if (observer)
        observer(step);
}

// The work file takes the place of the table file: it gets the table file's permission bits,
// so that a table the user kept private stays private. A failure leaves the umask's bits.
void KeepPermissions(const std::string& from, const std::string& to)
{
    struct stat st {};
    if (::stat(from.c_str(), &st) == 0 && Exists(to))
        ::chmod(to.c_str(), st.st_mode & 07777);
}

// Renames and remembers, so that a later failure can put everything back.
class RenameJournal {
public:
    void Move(const std::string& from, const std::string& to)
    {
        if (std::rename(from.c_str(), to.c_str()) != 0)
            throw IoError::FromErrno(from);
        done_.push_back({from, to});
    }
    void MoveIfThere(const std::string& from, const std::string& to)
    {
        if (Exists(from))
            Move(from, to);
    }
    void Undo() noexcept
    {
        for (auto it = done_.rbegin(); it != done_.rend(); ++it)
            std::rename(it->second.c_str(), it->first.c_str());
        done_.clear();
    }

private:
    std::vector<std::pair<std::string, std::string>> done_;
};

}  // namespace

uint32_t CustomerRebuild::CopyInto(DbfTable& source, const RebuildPlan& plan, const CustomerFiles& files,
                                   const CustomerProgress& progress, const StepObserver& observer)
{
    const std::string& workPath = files.workTable;
    const DbfPairTag tag = DbfTable::CreateUnsealed(workPath, plan.fields, source.LanguageDriver(), files.workMemo);
    Observe(observer, "work table created");
    uint32_t copied = 0;
    CustomerProgressSteps steps(progress);
    const uint64_t total = source.PhysicalRecordCount();
    steps.Report(0, 1);
    try {
        DbfTable work;
        work.Open(workPath, files.workMemo);
        work.SetAppendBuffering(true);
        for (source.First(); !source.Eof(); source.Next()) {
            work.Append();
            for (size_t i = 0; i < plan.fields.size(); ++i) {
                const int from = plan.copyFrom[i];
                if (from < 0)
                    continue;
                const DbfField& to = plan.fields[i];
                const DbfField& old = source.Field(from);
                if (to.IsMemo() || old.IsMemo())
                    work.SetValue(static_cast<int>(i), source.Value(from));
                else if (to.type == old.type &&
                         (to.IsCharacter() || (to.length == old.length && to.decimals == old.decimals)))
                    work.SetRawValue(static_cast<int>(i), source.RawValue(from));
                else
                    work.SetValue(static_cast<int>(i), source.Value(from));
            }
            work.Post();
            steps.Report(++copied, total);
        }
        work.Sync();
        work.Close();
        Observe(observer, "records copied");
        // Read the work table back: a copy that does not open or misses records must not
        // replace the customer table.
        work.Open(workPath, files.workMemo);
        if (work.PhysicalRecordCount() != copied)
            throw IoError(workPath, "Die Arbeitstabelle enthält nicht alle Datensätze");
        work.Seal(tag);
        work.Close();
        Observe(observer, "work table sealed");
    } catch (...) {
        std::remove(workPath.c_str());
        std::remove(files.workMemo.c_str());
        throw;
    }
    return copied;
}

void CustomerRebuild::SwapFiles(const CustomerFiles& files, const StepObserver& observer)
{
    KeepPermissions(files.table, files.workTable);
    KeepPermissions(files.memo, files.workMemo);
    RemoveIfThere(files.oldTable);
    Observe(observer, "customers0.dbf removed");
    RemoveIfThere(files.oldMemo);
    Observe(observer, "customers0.dbt removed");
    SyncFolders(files);
    RenameJournal journal;
    try {
        journal.MoveIfThere(files.memo, files.oldMemo);
        Observe(observer, "customers.dbt -> customers0.dbt");
        journal.Move(files.table, files.oldTable);
        Observe(observer, "customers.dbf -> customers0.dbf");
        journal.MoveIfThere(files.workMemo, files.memo);
        Observe(observer, "temp.dbt -> customers.dbt");
        journal.Move(files.workTable, files.table);
        Observe(observer, "temp.dbf -> customers.dbf");
    } catch (...) {
        journal.Undo();
        SyncFolders(files);
        throw;
    }
    SyncFolders(files);
}

void CustomerRebuild::UndoSwap(const CustomerFiles& files) noexcept
{
    // The states of the swap backwards: each step only into a free name.
    const auto back = [](const std::string& from, const std::string& to) {
        if (Exists(from) && !Exists(to))
            std::rename(from.c_str(), to.c_str());
    };
    back(files.table, files.workTable);
    back(files.memo, files.workMemo);
    back(files.oldTable, files.table);
    back(files.oldMemo, files.memo);
    SyncFolders(files);
}
