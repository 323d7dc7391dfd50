#pragma once

#include "support/TempDir.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// A print service of the test's own: cupsd with its configuration, spool and state in a
// temporary folder, listening on a socket there, with print queues that write each job into
// a file of that folder (a PDF, as the print service's PDF filter passes it on). While it
// runs, this process's CUPS clients (libcups, Qt's print support) talk to it through
// CUPS_SERVER; the former setting comes back when it stops.
//
// Tests call Start() and skip with its message when it cannot start; in CI (CI=true), where
// the install script installs the print service, they fail instead (MustRun()).
class PrivateCupsd {
public:
    PrivateCupsd();
    ~PrivateCupsd();
    PrivateCupsd(const PrivateCupsd&) = delete;
    PrivateCupsd& operator=(const PrivateCupsd&) = delete;

    // Starts cupsd and waits until it answers; empty on success, otherwise what is missing or
    // went wrong.
    std::string Start();
    // Whether a print service that cannot start fails the test rather than skipping it.
    static bool MustRun();

    // Adds an enabled queue that takes jobs, described by a PPD file of tests/data, writing
    // each job into OutputFile(name); `isDefault` makes it the default printer. Empty on
    // success, else the error.
    std::string AddQueue(const std::string& name, const std::string& ppdFile, bool isDefault = false);
    // Makes the queue the default printer.
    std::string MakeDefault(const std::string& name);
    // Stops the queue from taking jobs (cupsreject) or lets it take them again (cupsaccept).
    std::string Reject(const std::string& name);
    std::string Accept(const std::string& name);
    // The file the queue's last job was written to.
    std::string OutputFile(const std::string& name) const { return dir_.File(name + ".pdf"); }

    struct Job {
        int id = 0;
        std::string printer;
        std::string title;
        int state = 0;  // IPP job state: 9 completed, 7 cancelled, 8 aborted
    };
    // Every job the service has seen, finished or not, oldest first.
    std::vector<Job> Jobs() const;
    // Waits until the job has finished (up to 20 seconds); its final state, or 0 on timeout.
    int WaitForJob(int id) const;
    // The job's attributes as text (media, media-source, orientation-requested, job-name …).
    std::map<std::string, std::string> JobAttributes(int id) const;

    const std::string& Socket() const { return socket_; }
    std::string Folder() const { return dir_.Path(); }

private:
    std::string RunTool(const std::string& tool, const std::vector<std::string>& arguments) const;
    void Stop();

    TempDir dir_;
    std::string socket_;
    pid_t pid_ = -1;
    bool hadServer_ = false;
    std::string oldServer_;
};
