#pragma once

#include <string>
#include <vector>

// The official e-invoice rules (CII schema, EN 16931, XRechnung 3.0) through the validation kit
// beside the repository. Every call starts a Java machine per rule set and file: put all
// files of a test through one call.
namespace EInvoiceValidator {

// The packages the kit needs, for the message of a skipped test.
inline constexpr const char* kPackages = "default-jre-headless libsaxonhe-java libxml2-utils (scripts/install-deps)";

// The kit's validate script (a CMake cache variable of the tests).
std::string Path();

// Whether the run is a CI run (CI=true), where a missing kit is a failure, not a skip.
bool InCi();

struct ValidatorRun {
    int status = -1;  // 0 every file passes, 1 one fails, 2 the tools are missing; -1 no run
    std::string output;
    // The lines of the output that report a broken rule (": ERROR ").
    std::vector<std::string> ErrorLines() const;
    // Whether the output says the file of that name passed.
    bool Passed(const std::string& fileName) const;
};

// `validate --xrechnung FILE...` in one call.
ValidatorRun ValidateXRechnung(const std::vector<std::string>& files);
// `validate FILE...` (schema and EN 16931 only) in one call.
ValidatorRun ValidateEN16931(const std::vector<std::string>& files);

}
