#include "UblFiles.h"

#include "received/SafeXmlDocument.h"
#include "received/UblInvoiceReader.h"
#include "support/EInvoiceValidator.h"
#include "support/TempDir.h"

#include <filesystem>

namespace UblFiles {

std::string SamplesDir()
{
    return (std::filesystem::path(EInvoiceValidator::Path()).parent_path() / "samples" / "ubl").string() + "/";
}

ReceivedReadResult Read(const std::string& path, const ReceivedLimits& limits)
{
    const SafeXmlDocument document(ReadWholeFile(path), limits);
    if (document.Root() == nullptr)
        return ReceivedReadResult::Failure(document.Error());
    return ReadUblInvoice(document.Root(), limits);
}

std::string Fixture(const std::string& name)
{
    return std::string(REKOLON_TEST_DATA) + "/" + name;
}

}  // namespace UblFiles
