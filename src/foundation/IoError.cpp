#include "foundation/IoError.h"

#include <cerrno>
#include <cstring>

namespace {
std::string Compose(const std::string& fileName, const std::string& systemText)
{
    if (fileName.empty())
        return systemText;
    return fileName + ": " + systemText;
}
}

IoError::IoError(std::string fileName, std::string systemText)
    : std::runtime_error(Compose(fileName, systemText)),
      fileName_(std::move(fileName)),
      systemText_(std::move(systemText))
{
}

IoError IoError::FromErrno(const std::string& fileName)
{
    const int err = errno;
    return IoError(fileName, std::strerror(err));
}
