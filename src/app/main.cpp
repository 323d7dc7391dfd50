#include "app/AppWindows.h"
#include "app/BatchCommands.h"
#include "app/CommandLine.h"
#include "app/SignalCloser.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "received/ReceivedInvoiceReader.h"
#include "ui/invoices/TRechnungsForm.h"
#include "ui/received/EInvoiceView.h"
#include "ui/shared/QtGermanTexts.h"
#include "ui/shared/QtMessenger.h"
#include "ui/shared/QtText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

void SetApplicationNames()
{
    QCoreApplication::setOrganizationName("Vestrik");
    QCoreApplication::setApplicationName("Rekolon");
    QCoreApplication::setApplicationVersion(REKOLON_VERSION);
}

// The profile given with --profile; none for the settings' choice.
std::optional<EInvoiceProfile> ChosenProfile(CommandLine::Profile profile)
{
    if (profile == CommandLine::Profile::XRechnung)
        return EInvoiceProfile::XRechnung;
    if (profile == CommandLine::Profile::EN16931)
        return EInvoiceProfile::EN16931;
    return std::nullopt;
}

// --show-einvoice: the window "E-Rechnung anzeigen" alone, until it is closed. A file that
// cannot be read is reported on standard error before any window (1).
int RunShowEInvoice(int argc, char* argv[], const std::string& file)
{
    ReceivedReadResult read = ReadReceivedInvoiceFile(file);
    if (!read.invoice) {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(read.error).c_str());
        return 1;
    }
    QApplication app(argc, argv);
    SetApplicationNames();
    InstallQtGermanTexts(app);
    auto view = std::make_unique<EInvoiceView>(std::move(*read.invoice), PathToQString(file));
    QtMessenger messenger(view.get());
    SetCurrentMessenger(&messenger);
    SignalCloser signalCloser(view.get());
    view->show();
    const int result = app.exec();
    view.reset();
    SetCurrentMessenger(nullptr);
    return result;
}

}

int main(int argc, char* argv[])
{
    // Help, version, usage errors and the batch work need no display.
    std::vector<std::string> args(argv, argv + argc);
    const CommandLine commandLine = CommandLine::Parse(args);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        std::fputs(CommandLine::HelpText("rekolon").c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("Rekolon %s\n", REKOLON_VERSION);
        return 0;
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "%s\n%s", commandLine.error.c_str(), CommandLine::HelpText("rekolon").c_str());
        return 2;
    case CommandLine::Action::List: {
        QCoreApplication app(argc, argv);
        SetApplicationNames();
        return RunList(BatchDataFolder(PathToQString(commandLine.dataDir)));
    }
    case CommandLine::Action::ExportPdf: {
        // The printer's page comes through Qt's print support, which needs a GUI application;
        // it draws on no screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        SetApplicationNames();
        const QString folder = BatchDataFolder(PathToQString(commandLine.dataDir));
        if (commandLine.zugferd)
            return RunExportHybridPdf(folder, commandLine.exportInvoice, PathToQString(commandLine.outputFile),
                                      commandLine.exportKind, ChosenProfile(commandLine.profile));
        return RunExportPdf(folder, commandLine.exportInvoice, PathToQString(commandLine.outputFile),
                            commandLine.exportKind);
    }
    case CommandLine::Action::ExportEInvoice:
    case CommandLine::Action::CheckEInvoice: {
        QCoreApplication app(argc, argv);
        SetApplicationNames();
        const std::optional<EInvoiceProfile> profile = ChosenProfile(commandLine.profile);
        const QString folder = BatchDataFolder(PathToQString(commandLine.dataDir));
        return commandLine.action == CommandLine::Action::ExportEInvoice
                   ? RunExportEInvoice(folder, commandLine.exportInvoice, PathToQString(commandLine.outputFile),
                                       commandLine.exportKind, profile)
                   : RunCheckEInvoice(folder, commandLine.exportInvoice, commandLine.exportKind, profile);
    }
    case CommandLine::Action::ExportCustomersCsv:
    case CommandLine::Action::ImportCustomersCsv: {
        QCoreApplication app(argc, argv);
        SetApplicationNames();
        const QString folder = BatchDataFolder(PathToQString(commandLine.dataDir));
        return commandLine.action == CommandLine::Action::ExportCustomersCsv
                   ? RunExportCustomersCsv(folder, commandLine.csvFile)
                   : RunImportCustomersCsv(folder, commandLine.csvFile);
    }
    case CommandLine::Action::ShowEInvoice:
        return RunShowEInvoice(argc, argv, commandLine.receivedFile);
    case CommandLine::Action::EInvoiceToPdf: {
        // The printer's page, as for --export-pdf.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        SetApplicationNames();
        return RunEInvoiceToPdf(commandLine.receivedFile, PathToQString(commandLine.outputFile));
    }
    case CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    SetApplicationNames();
    InstallQtGermanTexts(app);

    AppWindows windows;
    QtMessenger messenger(windows.RechnungsForm());
    SetCurrentMessenger(&messenger);
    if (!commandLine.dataDir.empty())
        windows.RechnungsForm()->SetDataFolderOverride(PathToQString(commandLine.dataDir));
    SignalCloser signalCloser(windows.RechnungsForm());
    windows.RechnungsForm()->show();
    // A signal during the first showing (e.g. while a box about the book was open) may have
    // closed the main window already: then there is no event loop left to run.
    const int result = signalCloser.Ending() && !windows.RechnungsForm()->isVisible() ? 0 : app.exec();
    windows.Destroy();
    SetCurrentMessenger(nullptr);
    return result;
}
