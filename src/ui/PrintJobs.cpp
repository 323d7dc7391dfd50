#include "ui/PrintJobs.h"

#include "foundation/Messenger.h"
#include "output/QtPrinterPage.h"
#include "ui/QtText.h"
#include "ui/StandardDialogs.h"

#include <QPainter>
#include <QPrinter>

namespace {

std::function<void(QPrinter&)> jobHook;

const std::u16string kNoPrinter =
    u"Es ist kein Drucker eingerichtet. Bitte richten Sie in den Einstellungen des Systems einen Drucker "
    u"ein; die Datensätze können dann gedruckt werden.";

}  // namespace

RecordPrintLayout::Rect HalfInchPageRect()
{
    const TPrinterPage page = CurrentPrinterPage();
    return RecordPrintLayout::HalfInchMargins(page.PD, page.PD, page.PW, page.PH);
}

bool RunPrinterSetup(QWidget* parent)
{
    QPrinter* printer = CurrentPrinter();
    if (!printer) {
        CurrentMessenger().ShowError(kNoPrinter);
        return false;
    }
    return CurrentDialogs().SetupPrinter(parent, *printer);
}

bool CheckPrinterAvailable()
{
    if (CurrentPrinter())
        return true;
    CurrentMessenger().ShowError(kNoPrinter);
    return false;
}

void SetPrintJobHook(std::function<void(QPrinter&)> hook)
{
    jobHook = std::move(hook);
}

bool BeginPrintJob(QPainter& painter, const QString& title)
{
    if (!CheckPrinterAvailable())
        return false;
    QPrinter& printer = *CurrentPrinter();
    if (jobHook)
        jobHook(printer);
    printer.setDocName(title);
    if (!painter.begin(&printer)) {
        CurrentMessenger().ShowError(u"Der Druckauftrag „" + ToU16(title)
                                     + u"“ konnte nicht gestartet werden. Bitte prüfen Sie den Drucker.");
        return false;
    }
    return true;
}
