#pragma once

#include <string>
#include <vector>

// A structural check of a PDF/A-3b file, independent of the writer: the file is read with
// qpdf's library and the embedded font programs with FreeType. Gives one line per rule the
// file breaks (empty when it keeps them all): header and binary comment, file identifier,
// no encryption, embedded subset fonts with widths equal to their programs' and no missing
// glyph drawn, ToUnicode maps, XMP metadata that parses and agrees with /Info, the PDF/A
// identification, the sRGB output intent, consistent embedded files, and no soft masks,
// interpolation or LZW compression.
std::vector<std::string> CheckPdfA3(const std::string& path);

// All lines joined for a failure message.
std::string JoinLines(const std::vector<std::string>& lines);
