#pragma once

#include <stdexcept>
#include <string>

// The one error type of the core for failed file operations. It carries the file's name and
// the system's description of what went wrong; the handler that started the operation
// catches it, shows an error box and ends the operation.
class IoError : public std::runtime_error {
public:
    IoError(std::string fileName, std::string systemText);

    // Builds the error from the current errno.
    static IoError FromErrno(const std::string& fileName);

    const std::string& fileName() const { return fileName_; }
    const std::string& systemText() const { return systemText_; }

private:
    std::string fileName_;
    std::string systemText_;
};

// System text used when a file ends before the data it announces.
inline constexpr const char* kReadPastEndText = "Lesen über das Dateiende hinaus";
// System text for a name that is a folder, a named pipe or a device instead of a file: it is
// neither read (a pipe would wait for a writer for ever) nor replaced.
inline constexpr const char* kNotRegularFileText =
    "Keine gewöhnliche Datei (sondern ein Verzeichnis, eine benannte Pipe oder ein Gerät)";
