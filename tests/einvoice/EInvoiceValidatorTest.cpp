// The e-invoices of the test books against the official rules: the CII schema, EN 16931 and
// XRechnung 3.0, all files through one call of the validation kit (it starts a Java machine
// for every rule set of every file, some seconds each).
#include "EInvoiceBooks.h"

#include "einvoice/EInvoiceExport.h"
#include "invoices/TRechnungBook.h"
#include "support/EInvoiceValidator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

TEST(EInvoiceValidator, EveryTestBookPassesTheOfficialRules)
{
    using namespace EInvoiceValidator;
    const std::string validator = Path();
    if (!std::filesystem::exists(validator)) {
        if (InCi())
            FAIL() << "the e-invoice validation kit is missing: " << validator;
        GTEST_SKIP() << "the e-invoice validation kit is missing (" << validator << "); it needs " << kPackages;
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
    const ValidatorRun run = ValidateXRechnung(files);
    if (run.status == 2) {
        if (InCi())
            FAIL() << "the validation kit cannot run; it needs " << kPackages << ":\n" << run.output;
        GTEST_SKIP() << "the validation kit cannot run; it needs " << kPackages << ":\n" << run.output;
    }
    for (const std::string& line : run.ErrorLines())
        ADD_FAILURE() << line;
    if (run.output.find(": WARNING ") != std::string::npos)
        std::printf("%s\n", run.output.c_str());
    for (const EInvoiceCase& c : EInvoiceCases())
        EXPECT_TRUE(run.Passed(c.name + ".xml")) << c.name << "\n" << run.output;
    EXPECT_EQ(run.status, 0) << run.output;
}
