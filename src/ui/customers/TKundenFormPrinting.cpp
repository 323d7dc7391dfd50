#include "ui/customers/TKundenFormPrinting.h"

#include "customers/CustomerCursor.h"
#include "customers/CustomerReport.h"
#include "customers/CustomerTable.h"
#include "customers/DamagedMemoWalk.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/CustomerMessages.h"
#include "messages/MessageCatalog.h"
#include "messages/PrintMessages.h"
#include "ui/customers/TDruckeForm.h"
#include "ui/shared/PrintJobs.h"
#include "ui/shared/ProgressReporter.h"
#include "ui/shared/ScopedFlag.h"

namespace {

void ReportError(const std::exception& error)
{
    CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
}

// The dialog lays its lines out on the program's printer's page.
void SetPageRect(TDruckeForm& dialog)
{
    dialog.SetPageRect(HalfInchPageRect());
}

}  // namespace

void TKundenFormPrinting::PrintRecord(TDruckeForm& dialog, bool autodruck)
{
    if (!cursor_.PostIfEditing())
        return;
    SetPageRect(dialog);
    DbfTable& table = cursor_.Customers().Dbf1();
    std::vector<std::u16string> lines;
    DamagedMemoWalk damaged(table);
    try {
        if (table.Active()) {
            lines = CustomerReport::RecordLines(table);
            damaged.Visit();
        }
    } catch (const IoError& error) {
        ReportError(error);
        return;
    }
    if (!autodruck && !damaged.Records().empty())
        CurrentMessenger().ShowError(damaged.Report());
    dialog.SetLines(lines);
    if (autodruck)
        dialog.BitBtn2Click();
    else
        runDialog_(dialog);
}

void TKundenFormPrinting::PrintAll(TDruckeForm& dialog, bool& autodruck)
{
    if (!cursor_.PostIfEditing())
        return;
    if (CurrentMessenger().AskQuestion(MessageText(193), MessageText(194), Messenger::QuestionIcon::None) !=
        Messenger::Answer::Yes)
        return;
    DbfTable& table = cursor_.Customers().Dbf1();
    if (!table.Active()) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kTableNotOpen));
        return;
    }
    if (!CheckPrinterAvailable(PrintMessages::kRecordAdvice))
        return;  // told once, not once per record
    DamagedMemoWalk damaged(table);
    try {
        CustomerCursor::KeepPosition keep(cursor_);
        CustomerProgressSteps steps(SendProgress);
        const uint64_t total = table.PhysicalRecordCount();
        uint64_t printed = 0;
        steps.Report(0, 1);
        for (table.First(); !table.Eof(); table.Next()) {
            SetPageRect(dialog);
            dialog.SetLines(CustomerReport::RecordLines(table));
            damaged.Visit();
            bool started = false;
            {
                const ScopedFlag printing(autodruck);
                started = dialog.BitBtn2Click();
            }
            if (!started)
                break;
            steps.Report(++printed, total);
        }
        keep.Restore();
    } catch (const IoError& error) {
        ReportError(error);
    }
    SendProgress(0);
    cursor_.ShowCurrent();
    if (!damaged.Records().empty())
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kPrintWentOn) + damaged.Report());
}

void TKundenFormPrinting::PrintCounts(TDruckeForm& dialog)
{
    if (!cursor_.PostIfEditing())
        return;
    SetPageRect(dialog);
    DbfTable& table = cursor_.Customers().Dbf1();
    std::vector<std::u16string> lines;
    std::vector<uint32_t> damaged;
    if (table.Active()) {
        try {
            CustomerCursor::KeepPosition keep(cursor_);
            lines = CustomerReport::CountLines(table, CustomerReport::FilledCounts(table, SendProgress, &damaged));
            keep.Restore();
        } catch (const IoError& error) {
            SendProgress(0);
            ReportError(error);
            return;
        }
        SendProgress(0);
        cursor_.ShowCurrent();
    }
    if (!damaged.empty())
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kCountWentOn) + DamagedMemoWalk::Report(damaged));
    dialog.SetLines(lines);
    runDialog_(dialog);
}
