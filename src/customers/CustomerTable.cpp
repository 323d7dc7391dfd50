#include "customers/CustomerTable.h"

#include "customers/CustomerFiles.h"
#include "customers/CustomerFilter.h"
#include "customers/CustomerRebuild.h"
#include "customers/CustomerRecovery.h"
#include "customers/CustomerSchema.h"
#include "customers/DamagedMemoWalk.h"
#include "foundation/InstanceLock.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/StaleFiles.h"
#include "foundation/Utf8.h"
#include "messages/CustomerMessages.h"
#include "messages/MessageCatalog.h"

namespace {

std::u16string Number(uint64_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
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
        const CustomerFiles files = CustomerFiles::In(folder_);
        // Only one instance may move the table's files; another one at work in this folder
        // might be in the middle of a rebuild.
        CustomerRecovery::Result recovery;
        const bool alone = InstanceLock::WhileAlone(StaleFiles::DataFolderLockPath(folder_), [&] {
            recovery = CustomerRecovery::Run(files, true, {}, observer_);
        });
        if (!alone) {
            recovery = CustomerRecovery::Run(
                files, false,
                u"Ein anderes Rekolon benutzt denselben Datenordner, oder der Ordner lässt sich nicht sperren; "
                u"deshalb wird hier nichts wiederhergestellt. Bitte beenden Sie das andere Programm und starten Sie "
                u"neu.");
        }
        switch (recovery.outcome) {
        case CustomerRecovery::Outcome::Undecided:
            CurrentMessenger().ShowError(recovery.report);
            return InitResult::OpenFailed;
        case CustomerRecovery::Outcome::Recovered:
            CurrentMessenger().ShowInformation(recovery.report);
            result = InitResult::Recovered;
            break;
        case CustomerRecovery::Outcome::NoTable:
            result = InitResult::Created;
            DbfTable::Create(path, CustomerSchema::StandardFields());
            break;
        case CustomerRecovery::Outcome::Normal:
            break;
        }
        dbf1_.Open(path);
    } catch (const IoError& error) {
        if (result == InitResult::Created)
            return InitResult::CreateFailed;  // as before: the window then shows no data
        CurrentMessenger().ShowError(
            u"Die Kundendatenbank konnte nicht geöffnet werden:\n" + Utf8ToUtf16(error.what()) +
            u"\n\nDie Datei wurde nicht verändert. Die Kundenverwaltung bleibt leer, bis die Datei "
            u"repariert oder ersetzt ist.");
        return InitResult::OpenFailed;
    }
    if (dbf1_.CutOff()) {
        CurrentMessenger().ShowError(
            u"Die Kundendatenbank ist beschädigt: customers.dbf endet mitten in den Datensätzen. Von " +
            Number(dbf1_.AnnouncedRecordCount()) + u" angegebenen Datensätzen sind " +
            Number(dbf1_.PhysicalRecordCount()) +
            u" vollständig; sie werden angezeigt.\n\nDie Datei bleibt unverändert, bis Sie etwas ändern. Dann "
            u"wird eine heile Tabelle geschrieben, und die beschädigte Datei bleibt als customers0.dbf "
            u"erhalten.");
        return result;  // "Kostenst" only once the table has been written anew
    }
    if (dbf1_.FieldCount() < CustomerSchema::kStandardColumnCount)
        AddnewField(MessageText(CustomerSchema::kKostenstMessage), CustomerSchema::kKostenstLength);
    return result;
}

bool CustomerTable::RepairBeforeChange()
{
    if (!dbf1_.Active()) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kTableNotOpen));
        return false;
    }
    if (!dbf1_.CutOff())
        return true;
    // Copied in file order with every record, so that the current record's new number is
    // known: the number of live records up to it.
    const uint32_t current = dbf1_.RecNo();
    const std::u16string index = dbf1_.ActiveIndex();
    const bool filtered = dbf1_.Filtered();
    uint32_t newRecNo = 0;
    std::vector<int> same;
    for (int i = 0; i < dbf1_.FieldCount(); ++i)
        same.push_back(i);
    try {
        dbf1_.SelectIndex(u"");
        dbf1_.SetFiltered(false);
        uint32_t live = 0;
        for (dbf1_.First(); current != 0 && !dbf1_.Eof(); dbf1_.Next()) {
            ++live;
            if (dbf1_.RecNo() == current) {
                newRecNo = live;
                break;
            }
        }
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
        return false;
    }
    const bool repaired = Rebuild(CustomerRestructure::Reorder(dbf1_.Fields(), same));
    try {
        if (dbf1_.Active()) {
            if (dbf1_.HasIndex(index))
                dbf1_.SelectIndex(index);
            dbf1_.SetFiltered(filtered);
            if (repaired && newRecNo != 0)
                dbf1_.GoTo(newRecNo);
            else if (!repaired && current != 0)
                dbf1_.GoTo(current);
        }
    } catch (const IoError&) {
    }
    return repaired;
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

bool CustomerTable::KeepDamagedMemosEmpty(const std::u16string& damagedMemos)
{
    return CurrentMessenger().AskQuestion(
               damagedMemos +
                   u"\n\nSoll die Kundendatenbank trotzdem umgebaut werden? Diese Datensätze behalten dann ein "
                   u"leeres Memo. Die bisherige Tabelle bleibt als customers0.dbf und customers0.dbt erhalten.",
               u"Beschädigte Memos", Messenger::QuestionIcon::Stop) == Messenger::Answer::Yes;
}

bool CustomerTable::Rebuild(const RebuildPlan& plan)
{
    const auto report = [](const IoError& error) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kNotRebuilt) + Utf8ToUtf16(error.what()) +
                                     u"\n\nDie Kundendatenbank ist unverändert, alle Datensätze sind erhalten.");
    };
    if (!dbf1_.Active()) {
        report(IoError(TablePath(), "Die Tabelle ist nicht geöffnet"));
        return false;
    }
    CustomerFiles files;
    try {
        files = CustomerFiles::In(folder_);
    } catch (const IoError& error) {
        report(error);
        return false;
    }
    // customers0.* are removed and temp.* replaced below: only while customers.dbf and
    // customers.dbt are still the files that are open here are those sure to be spare.
    if (!dbf1_.OpenFilesAre(files.table, files.memo)) {
        report(IoError(TablePath(), "customers.dbf oder customers.dbt ist nicht mehr die geöffnete Datei (außerhalb "
                                    "des Programms umbenannt oder ersetzt); customers0.* und temp.* werden nicht "
                                    "angerührt"));
        return false;
    }
    // Sorting names each index after its column; the indexes are set up again on the new
    // table for the columns that are still there.
    const std::vector<std::u16string> indexes = dbf1_.IndexNames();
    const std::u16string activeIndex = dbf1_.ActiveIndex();
    const bool filtered = dbf1_.Filtered();
    const std::string path = TablePath();

    std::u16string damagedMemos;
    try {
        dbf1_.Post();
        dbf1_.SetFiltered(false);  // every record is copied, whatever the search
        DamagedMemoWalk damaged(dbf1_);
        CustomerRebuild::CopyInto(dbf1_, plan, files, progress_, observer_);
        damaged.TakeAll();
        damagedMemos = damaged.Report();
    } catch (const IoError& error) {
        try {
            dbf1_.Cancel();
            dbf1_.SetFiltered(filtered);
        } catch (const IoError&) {
        }
        report(error);
        return false;
    }
    // A memo that could not be read is copied as empty: only when the user agrees, since the
    // new table would then hold less than the old one (which stays as customers0.*).
    if (!damagedMemos.empty() && !KeepDamagedMemosEmpty(damagedMemos)) {
        std::remove(files.workTable.c_str());
        std::remove(files.workMemo.c_str());
        try {
            dbf1_.SetFiltered(filtered);
        } catch (const IoError&) {
        }
        return false;
    }

    bool swapped = false;
    try {
        dbf1_.Close();
        CustomerRebuild::SwapFiles(files, observer_);
        swapped = true;
        dbf1_.Open(path);
    } catch (const IoError& error) {
        if (swapped)
            CustomerRebuild::UndoSwap(files);  // the new table does not open: the old one back
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
