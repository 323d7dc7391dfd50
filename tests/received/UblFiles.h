#pragma once

#include "received/ReceivedLimits.h"
#include "received/ReceivedReadResult.h"

#include <string>

// The UBL samples beside the repository (next to the e-invoice validation kit) and reading a
// file through the safe parser and the UBL reader, as the program does.
namespace UblFiles {

std::string SamplesDir();
ReceivedReadResult Read(const std::string& path, const ReceivedLimits& limits = {});
// A fixture in tests/data.
std::string Fixture(const std::string& name);

}  // namespace UblFiles
