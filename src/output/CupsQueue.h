#pragma once

#include "messages/PrintRefusal.h"

#include <string>
#include <utility>
#include <vector>

// One print queue of the system's print service (CUPS), reached the way the user's CUPS
// client settings say (the environment variable CUPS_SERVER, client.conf). Qt's print support
// tells which printers there are and what paper they take; this class does what Qt's leaves
// out: the paper sources a printer offers, and handing a finished PDF file to the queue with
// an answer whether the queue took it.
class CupsQueue {
public:
    explicit CupsQueue(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    // The keywords of the paper sources the printer offers ("auto", "tray-1", "manual" …),
    // in the printer's order; empty when it names none or cannot be asked.
    std::vector<std::string> PaperSources() const;

    // Why a job was not taken.
    using Refusal = PrintRefusal;
    struct SendResult {
        int jobId = 0;
        Refusal refusal = Refusal::Other;
        std::string detail;  // the print service's own words when it refused
    };
    using Options = std::vector<std::pair<std::string, std::string>>;

    // Hands the file (a PDF) to the queue as one job with this title and these job options
    // (such as media=A4, media-source=tray-2). Blocks until the print service has answered.
    SendResult SendFile(const std::string& fileName, const std::string& title, const Options& options) const;

private:
    std::string name_;
};
