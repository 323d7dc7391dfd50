#pragma once

#include "pdf/TPDFCanvas.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Helpers for the PDF writer's tests: a minimal reader that follows the cross-reference table
// of a written file, and the independent programs (qpdf, pdftotext, pdffonts, pdftoppm).

struct ToolResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error
};
ToolResult RunTool(const std::string& command);
std::string Quote(const std::string& path);

// The independent programs accept the file (GoogleTest failures otherwise): qpdf --check
// finds no error, pdffonts lists only non-embedded TrueType fonts in the WinAnsi encoding,
// pdftotext reads every page.
void ExpectValidPdf(const std::string& path);
std::string PdfToText(const std::string& path);
std::string PdfFonts(const std::string& path);

std::string Inflate(const std::string& compressed);

// A written PDF file, read through its own cross-reference table.
class PdfFile {
public:
    explicit PdfFile(std::string bytes);

    const std::string& Bytes() const { return bytes_; }
    size_t ObjectCount() const { return offsets_.size(); }
    int64_t Offset(size_t number) const { return offsets_.at(number); }
    const std::vector<std::string>& XrefEntries() const { return entries_; }
    int64_t StartXref() const { return startxref_; }

    // The text of object n from its "n 0 obj" line to its "endobj" line, both included.
    std::string Object(size_t number) const;
    // The raw data of the stream object n, taking its length from the length object.
    std::string RawStream(size_t number) const;
    // The decompressed content stream of page k (1-based).
    std::string PageContent(int page) const;
    // The bytes with the random file identifier replaced by zeros.
    std::string WithoutId() const;

private:
    std::string bytes_;
    std::vector<int64_t> offsets_;
    std::vector<std::string> entries_;
    int64_t startxref_ = -1;
};

// Writes one document to path with the given drawing, checks it with ExpectValidPdf and
// returns the file.
PdfFile WritePdf(const std::string& path, const std::function<void(TPDFCanvas&)>& draw,
                 const std::function<void(TPDFCanvas&)>& before = nullptr);

// Lines of a text (split at line feeds).
std::vector<std::string> Lines(const std::string& text);
