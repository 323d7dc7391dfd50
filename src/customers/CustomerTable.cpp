#include "customers/CustomerTable.h"

#include "customers/CustomerFilter.h"
#include "customers/CustomerRebuild.h"
#include "customers/CustomerSchema.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/MessageCatalog.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

CustomerTable::CustomerTable()
{
    InstallFilter();
}

void CustomerTable::InstallFilter()
{
    dbf1_.SetFilterCallback([this](const DbfTable& table) { return CustomerFilter::Matches(table, filtertext_); });
}

CustomerTable::InitResult CustomerTable::InitDataBase(const std::string& dataFolder)
{
    folder_ = dataFolder;
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
    const std::string path = TablePath();
    InitResult result = InitResult::Opened;
    try {
        if (!Exists(path)) {
            result = InitResult::Created;
            DbfTable::Create(path, CustomerSchema::StandardFields());
        }
        dbf1_.Open(path);
    } catch (const IoError& error) {
        if (result == InitResult::Created)
            return InitResult::CreateFailed;  // as before: the window then shows no data
        CurrentMessenger().ShowError(
            u"Die Kundendatenbank konnte nicht geöffnet werden:\n" + Utf8ToUtf16(error.what())
            + u"\n\nDie Datei wurde nicht verändert. Die Kundenverwaltung bleibt leer, bis die Datei "
              u"repariert oder ersetzt ist.");
        return InitResult::OpenFailed;
    }
    if (dbf1_.FieldCount() < CustomerSchema::kStandardColumnCount)
        AddnewField(MessageText(CustomerSchema::kKostenstMessage), CustomerSchema::kKostenstLength);
    return result;
}

void CustomerTable::ApplyFilter(std::u16string_view text)
{
    filtertext_ = CustomerFilter::FoldAZ(text);
    if (!dbf1_.Active()) {
        dbf1_.SetFiltered(!filtertext_.empty());
        return;
    }
    dbf1_.SetFiltered(false);
    if (!filtertext_.empty())
        dbf1_.SetFiltered(true);
}

bool CustomerTable::SortByColumn(const std::u16string& columnName)
{
    try {
        if (!dbf1_.HasIndex(columnName)) {
            const int field = dbf1_.FieldIndex(columnName);
            if (field < 0)
                return false;
            dbf1_.AddIndex(columnName, field);
        }
        dbf1_.SelectIndex(columnName);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

bool CustomerTable::AddnewField(const std::u16string& name, int length)
{
    if (!dbf1_.Active())
        return false;
    return Rebuild(CustomerRestructure::AddField(dbf1_.Fields(), name, length));
}

bool CustomerTable::Rebuild(const RebuildPlan& plan)
{
    const auto report = [](const IoError& error) {
        CurrentMessenger().ShowError(u"Die Kundendatenbank konnte nicht umgebaut werden:\n"
                                     + Utf8ToUtf16(error.what())
                                     + u"\n\nDie Kundendatenbank ist unverändert, alle Datensätze sind erhalten.");
    };
    if (!dbf1_.Active()) {
        report(IoError(TablePath(), "Die Tabelle ist nicht geöffnet"));
        return false;
    }
    // Sorting names each index after its column; the indexes are set up again on the new
    // table for the columns that are still there.
    const std::vector<std::u16string> indexes = dbf1_.IndexNames();
    const std::u16string activeIndex = dbf1_.ActiveIndex();
    const bool filtered = dbf1_.Filtered();
    const std::string path = TablePath();

    try {
        dbf1_.Post();
        dbf1_.SetFiltered(false);  // every record is copied, whatever the search
        CustomerRebuild::CopyInto(dbf1_, plan, folder_ + "temp.dbf", progress_);
    } catch (const IoError& error) {
        try {
            dbf1_.Cancel();
            dbf1_.SetFiltered(filtered);
        } catch (const IoError&) {
        }
        report(error);
        return false;
    }

    bool swapped = false;
    try {
        dbf1_.Close();
        CustomerRebuild::SwapFiles(folder_);
        swapped = true;
        dbf1_.Open(path);
    } catch (const IoError& error) {
        if (swapped) {
            // The new table does not open: put the old one back.
            std::rename(path.c_str(), (folder_ + "temp.dbf").c_str());
            std::rename(DbfTable::MemoPathFor(path).c_str(), (folder_ + "temp.dbt").c_str());
            std::rename((folder_ + "customers0.dbf").c_str(), path.c_str());
            std::rename((folder_ + "customers0.dbt").c_str(), DbfTable::MemoPathFor(path).c_str());
        }
        try {
            if (!dbf1_.Active())
                dbf1_.Open(path);
            dbf1_.SetFiltered(filtered);
        } catch (const IoError&) {
        }
        report(error);
        return false;
    }

    for (size_t i = 0; i < indexes.size(); ++i) {
        const int field = dbf1_.FieldIndex(indexes[i]);
        if (field < 0)
            continue;
        try {
            dbf1_.AddIndex(indexes[i], field);
        } catch (const IoError&) {
        }
    }
    try {
        if (dbf1_.HasIndex(activeIndex))
            dbf1_.SelectIndex(activeIndex);
        dbf1_.SetFiltered(filtered);
    } catch (const IoError& error) {
        report(error);
        return false;
    }
    return true;
}
