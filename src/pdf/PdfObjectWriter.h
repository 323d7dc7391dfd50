#pragma once

#include "pdf/TPDFObjRec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class AtomicFileSink;
class ByteSink;
class PageCompressor;
class TDynaArray;

// The output of a PDF file being written, front to back in one pass: it numbers the objects,
// records the offset of each object's first line, and ends the file with the cross-reference
// table built from the recorded offsets and the trailer. The bytes go to a file that appears
// under its name only when Finish has written it completely, or to a sink of the caller's
// (in memory, say).
//
// While a content stream is open, the output goes into memory instead: a buffer that grows
// in steps of 100000 bytes and is handed back zlib-compressed when the stream ends, so that
// only one page's content is held at a time.
//
// Objects are numbered in the order they begin. A caller that must refer to an object before
// it can write it (a font program from its font's descriptor, say) reserves a number first
// and writes the object under that number later; every reserved number must have been
// written by the time the cross-reference table is.
//
// Errors are raised as IoError naming the file. When memory runs out the output is abandoned
// first (no file is left behind).
class PdfObjectWriter {
public:
    // How a stream's data ends: followed by a line feed before "endstream", or directly.
    enum class StreamEnd { kLineFeed, kDirect };

    PdfObjectWriter();
    ~PdfObjectWriter();  // an unfinished file is removed

    PdfObjectWriter(const PdfObjectWriter&) = delete;
    PdfObjectWriter& operator=(const PdfObjectWriter&) = delete;

    // Begins the output of a document into the file fname. False, and nothing changed, when
    // output is open already, when the file cannot be created or when it is one that must not
    // be replaced (a folder, a write-protected file).
    bool OpenFile(const std::string& fname);
    // Begins the output into the caller's sink, which must outlive it. False when output is
    // open already or memory runs out.
    bool Open(ByteSink& sink);
    bool IsOpen() const { return sink_ != nullptr; }
    // The name of the file (or sink) of the current or last output.
    const std::string& FileName() const { return fname_; }
    // Bytes written so far.
    int64_t Position() const { return fpos_; }

    // The output channel: bytes to the open content stream, otherwise to the file.
    void Put(const char* data, size_t n);
    void Put(std::string_view bytes) { Put(bytes.data(), bytes.size()); }
    // Appends the line feed to line, then writes it.
    void PutLine(std::string& line);
    void PutLine(std::string_view line);

    // The number the next object will get.
    int32_t NextObjectNumber() const;
    // Takes the next number for an object written later with BeginObject(number).
    int32_t ReserveObject();
    // Records the offset of a new object and writes its first line: number, " 0 obj".
    int32_t BeginObject();
    // The same for a reserved number.
    void BeginObject(int32_t reserved);
    // BeginObject, then the line "<<".
    int32_t BeginDictObject();
    // The line "endobj".
    void EndObject();
    // The lines ">>" and "endobj".
    void EndDictObject();
    // A whole object of a dictionary (written as it is, "/Length" included) and a stream:
    // the dictionary, "stream", the data, "endstream" and "endobj".
    int32_t WriteStreamObject(std::string_view dictionary, std::string_view data, StreamEnd end);
    void WriteStreamObject(int32_t reserved, std::string_view dictionary, std::string_view data, StreamEnd end);
    // A whole stream object of the data zlib-compressed as the pages are: its dictionary holds
    // `entries` (e.g. "/N 3 "; may be empty), then /Length and /Filter /FlateDecode; the data is
    // followed by a line feed before "endstream".
    int32_t WriteDeflatedStreamObject(std::string_view entries, std::string_view data);

    // A content stream: from BeginContent until EndContent the output channel collects the
    // bytes in memory; EndContent gives back their zlib stream (valid until the next
    // EndContent) and releases the buffer.
    void BeginContent();
    std::string_view EndContent();
    int32_t ContentLength() const { return sblen_; }
    int32_t ContentCapacity() const { return streamcap_; }

    // The cross-reference table of every object so far, and the trailer naming the catalogue
    // rootObjNr, the document information infoObjNr when not 0, and a random file
    // identifier; "%%EOF" is the last thing written.
    void WriteTrailer(int32_t rootObjNr, int32_t infoObjNr = 0);
    // Puts the file in place and ends the output.
    void Finish();
    // Ends the output without a file: an unfinished file is removed.
    void Abandon();
    // Abandons the output and raises the IoError `what`.
    [[noreturn]] void OutOfMemory(const char* what);

private:
    bool Start(ByteSink& sink, const std::string& name);
    TPDFObjRec& Entry(int32_t number);
    void CheckSize() const;
    void WriteObjectLine(int32_t number);
    void WriteStreamBody(std::string_view dictionary, std::string_view data, StreamEnd end);
    void AppendToStream(const char* data, size_t n);
    void Release();

    std::unique_ptr<AtomicFileSink> file_;
    ByteSink* sink_ = nullptr;
    std::string fname_;
    int64_t fpos_ = 0;
    std::unique_ptr<TDynaArray> objs_;
    TPDFObjRec* aobj_ = nullptr;

    bool instream_ = false;
    char* streambuf_ = nullptr;
    int32_t sblen_ = 0;
    int32_t streamcap_ = 0;  // capacity of streambuf_ in bytes
    std::unique_ptr<PageCompressor> compressor_;

    std::string line_;  // scratch for the line being built
};
