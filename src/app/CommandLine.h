#pragma once

#include <string>
#include <vector>

// The program's command line. Parsing never exits: the caller acts on the result.
struct CommandLine {
    enum class Action {
        Run,
        Help,
        Version,
        UsageError,
        List,
        ExportPdf,
        ExportCustomersCsv,
        ImportCustomersCsv,
        ExportEInvoice,
        CheckEInvoice,
        ShowEInvoice,
        EInvoiceToPdf,
    };
    // The profile of an e-invoice: the settings' choice, EN 16931 or XRechnung.
    enum class Profile { Settings, EN16931, XRechnung };

    Action action = Action::Run;
    std::string error;                    // for UsageError, in German
    std::string dataDir;                  // --data-dir: the data folder for this run, empty for the stored one
    int exportInvoice = 0;                // --export-pdf N, --export-einvoice N, --check-einvoice N: position of
                                          // the invoice in the stored order, from 1
    std::string outputFile;               // --output FILE
    int exportKind = 0;                   // --kind K: document kind 0 "Rechnung" … 7 "Bestellung"
    std::string csvFile;                  // --export-customers-csv FILE / --import-customers-csv FILE
    Profile profile = Profile::Settings;  // --profile xrechnung|en16931
    bool zugferd = false;                 // --zugferd: --export-pdf writes the hybrid PDF with the e-invoice inside
    std::string receivedFile;             // --show-einvoice FILE / --einvoice-to-pdf FILE: a received e-invoice

    static CommandLine Parse(const std::vector<std::string>& args);
    static std::string HelpText(const std::string& programName);
    // A document kind given as its number (0 to 7) or its name ("Lieferschein", in any case
    // of the letters A to Z); −1 for anything else.
    static int ParseKind(const std::string& text);
};
