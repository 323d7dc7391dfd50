#pragma once

#include "received/CiiInvoiceReader.h"
#include "received/SafeXmlDocument.h"

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

// Parses bytes as the program does (safe XML first) and reads them as a CII invoice.
inline ReceivedReadResult ReadCiiBytes(std::string_view bytes, const ReceivedLimits& limits = {})
{
    const SafeXmlDocument document(bytes, limits);
    if (document.Root() == nullptr)
        return ReceivedReadResult::Failure(document.Error());
    return ReadCiiInvoice(document.Root(), limits);
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
