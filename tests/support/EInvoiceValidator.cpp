#include "support/EInvoiceValidator.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

namespace EInvoiceValidator {

std::string Path()
{
    return REKOLON_EINVOICE_VALIDATOR;
}

bool InCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

namespace {

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

ValidatorRun Validate(const std::vector<std::string>& files, bool xrechnung)
{
    std::string command = Quoted(Path()) + (xrechnung ? " --xrechnung" : "");
    for (const std::string& file : files)
        command += " " + Quoted(file);
    command += " 2>&1";
    ValidatorRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}

ValidatorRun ValidateXRechnung(const std::vector<std::string>& files)
{
    return Validate(files, true);
}

ValidatorRun ValidateEN16931(const std::vector<std::string>& files)
{
    return Validate(files, false);
}

std::vector<std::string> ValidatorRun::ErrorLines() const
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        const std::string line = output.substr(start, end - start);
        if (line.find(": ERROR ") != std::string::npos)
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool ValidatorRun::Passed(const std::string& fileName) const
{
    return output.find(fileName + ": PASS") != std::string::npos;
}

}
