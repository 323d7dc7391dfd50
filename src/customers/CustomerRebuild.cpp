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
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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

uint32_t CustomerRebuild::CopyInto(DbfTable& source, const RebuildPlan& plan, const std::string& workPath,
                                   const CustomerProgress& progress)
{
    DbfTable::Create(workPath, plan.fields);
    uint32_t copied = 0;
    CustomerProgressSteps steps(progress);
    const uint64_t total = source.PhysicalRecordCount();
    steps.Report(0, 1);
    try {
        DbfTable work;
        work.Open(workPath);
        work.SetAppendBuffering(true);
        for (source.First(); !source.Eof(); source.Next()) {
            work.Append();
            for (size_t i = 0; i < plan.fields.size(); ++i) {
                const int from = plan.copyFrom[i];
                if (from < 0)
                    continue;
                if (plan.fields[i].IsCharacter() && source.Field(from).IsCharacter())
                    work.SetRawValue(static_cast<int>(i), source.RawValue(from));
                else
                    work.SetValue(static_cast<int>(i), source.Value(from));
            }
            work.Post();
            steps.Report(++copied, total);
        }
        work.Sync();
        work.Close();
        // Read the work table back: a copy that does not open or misses records must not
        // replace the customer table.
        work.Open(workPath);
        if (work.PhysicalRecordCount() != copied)
            throw IoError(workPath, "Die Arbeitstabelle enthält nicht alle Datensätze");
        work.Close();
    } catch (...) {
        std::remove(workPath.c_str());
        std::remove(DbfTable::MemoPathFor(workPath).c_str());
        throw;
    }
    return copied;
}

void CustomerRebuild::SwapFiles(const std::string& folder)
{
    const std::string table = folder + "customers.dbf";
    const std::string memo = folder + "customers.dbt";
    const std::string oldTable = folder + "customers0.dbf";
    const std::string oldMemo = folder + "customers0.dbt";
    const std::string work = folder + "temp.dbf";
    const std::string workMemo = folder + "temp.dbt";

    KeepPermissions(table, work);
    KeepPermissions(memo, workMemo);
    RemoveIfThere(oldTable);
    RemoveIfThere(oldMemo);
    RenameJournal journal;
    try {
        journal.Move(table, oldTable);
        journal.MoveIfThere(memo, oldMemo);
        journal.MoveIfThere(workMemo, memo);
        journal.Move(work, table);
    } catch (...) {
        journal.Undo();
        SyncFolder(folder);
        throw;
    }
    SyncFolder(folder);
}
