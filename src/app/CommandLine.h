#pragma once

#include <string>
#include <vector>

// The program's command line. Parsing never exits: the caller acts on the result.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError, List };

    Action action = Action::Run;
    std::string error;    // for UsageError, in German
    std::string dataDir;  // --data-dir: the data folder for this run, empty for the stored one

    static CommandLine Parse(const std::vector<std::string>& args);
    static std::string HelpText(const std::string& programName);
};
