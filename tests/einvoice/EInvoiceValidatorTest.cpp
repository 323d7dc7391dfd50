// The e-invoices of the test books against the official rules: the CII schema, EN 16931 and
// XRechnung 3.0, all files through one call of the validation kit (it starts a Java machine
// for every rule set of every file, some seconds each).
#include "EInvoiceBooks.h"

#include "einvoice/EInvoiceExport.h"
#include "invoices/TRechnungBook.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

constexpr const char* kPackages = "default-jre-headless libsaxonhe-java libxml2-utils (scripts/install-deps)";

bool InCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

struct ValidatorRun {
    int status = -1;
    std::string output;
};

ValidatorRun RunValidator(const std::vector<std::string>& files)
{
    std::string command = "'" + std::string(REKOLON_EINVOICE_VALIDATOR) + "' --xrechnung";
    for (const std::string& file : files)
        command += " '" + file + "'";
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

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

}

TEST(EInvoiceValidator, EveryTestBookPassesTheOfficialRules)
{
    const std::string validator = REKOLON_EINVOICE_VALIDATOR;
    if (!std::filesystem::exists(validator)) {
        if (InCi())
            FAIL() << "the e-invoice validation kit is missing: " << validator;
        GTEST_SKIP() << "the e-invoice validation kit is missing (" << validator << ")";
    }
    TempDir dir;
    std::vector<std::string> files;
    for (const EInvoiceCase& c : EInvoiceCases()) {
        SCOPED_TRACE(c.name);
        TRechnungBook book;
        c.fill(book);
        const std::string path = dir.File(c.name + ".xml");
        const EInvoiceExportResult result = ExportEInvoice(book, 0, c.kind, c.profile, path);
        ASSERT_EQ(result.status, EInvoiceExportResult::Status::Written) << testing::PrintToString(result.gaps.size());
        files.push_back(path);
    }
    const ValidatorRun run = RunValidator(files);
    if (run.status == 2) {
        if (InCi())
            FAIL() << "the validation kit cannot run; it needs " << kPackages << ":\n" << run.output;
        GTEST_SKIP() << "the validation kit cannot run; it needs " << kPackages << ":\n" << run.output;
    }
    for (const std::string& line : Lines(run.output)) {
        EXPECT_EQ(line.find(": ERROR "), std::string::npos) << line;
        if (line.find(": WARNING ") != std::string::npos)
            std::printf("%s\n", line.c_str());
    }
    for (const EInvoiceCase& c : EInvoiceCases())
        EXPECT_NE(run.output.find(c.name + ".xml: PASS"), std::string::npos) << c.name << "\n" << run.output;
    EXPECT_EQ(run.status, 0) << run.output;
}
