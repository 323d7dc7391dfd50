#include "pdf/PdfObjectWriter.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/IoError.h"
#include "foundation/TDynaArray.h"
#include "pdf/PageCompressor.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfRandom.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The content buffer grows in steps of this many bytes.
constexpr int64_t kStreamStep = 100000;

// The offset of an object whose number is reserved but which is not written yet.
constexpr int32_t kNotWritten = -1;

}

PdfObjectWriter::PdfObjectWriter() = default;

PdfObjectWriter::~PdfObjectWriter()
{
    Release();
}

// ---- Opening and closing ----

bool PdfObjectWriter::OpenFile(const std::string& fname)
{
    if (IsOpen())
        return false;
    // The file must be one we may replace: not a folder, not a write-protected file.
    struct stat st;
    if (stat(fname.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || access(fname.c_str(), W_OK) != 0))
        return false;
    std::unique_ptr<AtomicFileSink> sink;
    try {
        sink = std::make_unique<AtomicFileSink>(fname);
    } catch (const IoError&) {
        return false;
    }
    if (!Start(*sink, fname))
        return false;  // the sink removes its new file
    file_ = std::move(sink);
    return true;
}

bool PdfObjectWriter::Open(ByteSink& sink)
{
    return !IsOpen() && Start(sink, sink.Name());
}

bool PdfObjectWriter::Start(ByteSink& sink, const std::string& name)
{
    objs_ = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFObjRec)), &aobj_);
    // Entry 0 is the head of the (empty) list of free objects; nothing is written for it.
    auto* head = static_cast<TPDFObjRec*>(objs_->Add());
    if (!head) {
        Release();
        return false;
    }
    head->pos = 0;
    head->gen = 65535;
    head->free = true;
    sink_ = &sink;
    fname_ = name;
    fpos_ = 0;
    return true;
}

void PdfObjectWriter::Finish()
{
    if (file_)
        file_->Commit();
    Release();
}

void PdfObjectWriter::Abandon()
{
    Release();
}

void PdfObjectWriter::Release()
{
    file_.reset();  // removes a file that was not put in place
    sink_ = nullptr;
    objs_.reset();
    aobj_ = nullptr;
    std::free(streambuf_);
    streambuf_ = nullptr;
    streamcap_ = 0;
    sblen_ = 0;
    instream_ = false;
    if (compressor_)
        compressor_->ReleaseOutput();
}

void PdfObjectWriter::OutOfMemory(const char* what)
{
    const std::string name = fname_;
    Abandon();
    throw IoError(name, what);
}

// ---- Output channel ----

void PdfObjectWriter::PutLine(std::string& line)
{
    line += '\n';
    Put(line.data(), line.size());
}

void PdfObjectWriter::PutLine(std::string_view line)
{
    line_.assign(line);
    PutLine(line_);
}

void PdfObjectWriter::Put(const char* data, size_t n)
{
    if (instream_) {
        AppendToStream(data, n);
        return;
    }
    if (!sink_)
        throw IoError(fname_, "Keine PDF-Datei geöffnet");
    sink_->Write(data, n);
    fpos_ += int64_t(n);
}

void PdfObjectWriter::AppendToStream(const char* data, size_t n)
{
    const int64_t length = int64_t(sblen_) + int64_t(n);
    if (length > std::numeric_limits<int32_t>::max() - kStreamStep)
        OutOfMemory("Seiteninhalt zu groß");
    const int64_t capacity = (length / kStreamStep + 1) * kStreamStep;
    if (!streambuf_ || capacity != streamcap_) {
        char* block = static_cast<char*>(std::malloc(size_t(capacity)));
        if (!block)
            OutOfMemory("Nicht genug Arbeitsspeicher für den Seiteninhalt");
        if (streambuf_) {
            std::memcpy(block, streambuf_, size_t(sblen_));
            std::free(streambuf_);
        }
        streambuf_ = block;
        streamcap_ = int32_t(capacity);
    }
    if (n > 0)
        std::memcpy(streambuf_ + sblen_, data, n);
    sblen_ = int32_t(length);
}

// ---- Content streams ----

void PdfObjectWriter::BeginContent()
{
    sblen_ = 0;
    instream_ = true;
}

std::string_view PdfObjectWriter::EndContent()
{
    // The whole content in one call at zlib's default level with a finishing flush.
    if (!compressor_)
        compressor_ = std::make_unique<PageCompressor>();
    std::string_view compressed;
    if (!compressor_->Compress(streambuf_, size_t(sblen_), compressed))
        OutOfMemory("Seiteninhalt konnte nicht komprimiert werden");
    instream_ = false;
    std::free(streambuf_);
    streambuf_ = nullptr;
    streamcap_ = 0;
    sblen_ = 0;
    return compressed;
}

// ---- Objects ----

int32_t PdfObjectWriter::NextObjectNumber() const
{
    return objs_ ? int32_t(objs_->Count()) : 0;
}

TPDFObjRec& PdfObjectWriter::Entry(int32_t number)
{
    return *static_cast<TPDFObjRec*>(objs_->At(uint32_t(number)));
}

int32_t PdfObjectWriter::ReserveObject()
{
    if (!objs_)
        throw IoError(fname_, "Keine PDF-Datei geöffnet");
    auto* rec = static_cast<TPDFObjRec*>(objs_->Add());
    if (!rec)
        OutOfMemory("Nicht genug Arbeitsspeicher für die Objektliste");
    rec->pos = kNotWritten;
    rec->gen = 0;
    rec->free = false;
    return int32_t(objs_->Count()) - 1;
}

int32_t PdfObjectWriter::BeginObject()
{
    CheckSize();
    const int32_t number = ReserveObject();
    WriteObjectLine(number);
    return number;
}

void PdfObjectWriter::BeginObject(int32_t reserved)
{
    if (!objs_ || reserved <= 0 || reserved >= NextObjectNumber() || Entry(reserved).pos != kNotWritten)
        throw IoError(fname_, "PDF-Objekt " + IntText(reserved) + " ist nicht vorgemerkt");
    CheckSize();
    WriteObjectLine(reserved);
}

void PdfObjectWriter::CheckSize() const
{
    // Offsets in the cross-reference table are ten digits, and kept in 32 bits here.
    if (fpos_ > std::numeric_limits<int32_t>::max())
        throw IoError(fname_, "PDF-Datei zu groß");
}

void PdfObjectWriter::WriteObjectLine(int32_t number)
{
    Entry(number).pos = int32_t(fpos_);
    line_.clear();
    AppendInt(line_, number);
    line_ += " 0 obj";
    PutLine(line_);
}

int32_t PdfObjectWriter::BeginDictObject()
{
    const int32_t number = BeginObject();
    PutLine("<<");
    return number;
}

void PdfObjectWriter::EndObject()
{
    PutLine("endobj");
}

void PdfObjectWriter::EndDictObject()
{
    PutLine(">>");
    PutLine("endobj");
}

int32_t PdfObjectWriter::WriteStreamObject(std::string_view dictionary, std::string_view data, StreamEnd end)
{
    const int32_t number = BeginObject();
    WriteStreamBody(dictionary, data, end);
    return number;
}

int32_t PdfObjectWriter::WriteDeflatedStreamObject(std::string_view entries, std::string_view data)
{
    if (!compressor_)
        compressor_ = std::make_unique<PageCompressor>();
    std::string_view compressed;
    if (!compressor_->Compress(data.data(), data.size(), compressed))
        OutOfMemory("Nicht genug Arbeitsspeicher zum Komprimieren");
    std::string dictionary = "<< ";
    dictionary += entries;
    dictionary += "/Length ";
    AppendInt(dictionary, int64_t(compressed.size()));
    dictionary += " /Filter /FlateDecode >>";
    return WriteStreamObject(dictionary, compressed, StreamEnd::kLineFeed);
}

void PdfObjectWriter::WriteStreamObject(int32_t reserved, std::string_view dictionary, std::string_view data,
                                        StreamEnd end)
{
    BeginObject(reserved);
    WriteStreamBody(dictionary, data, end);
}

void PdfObjectWriter::WriteStreamBody(std::string_view dictionary, std::string_view data, StreamEnd end)
{
    PutLine(dictionary);
    PutLine("stream");
    Put(data);
    if (end == StreamEnd::kLineFeed)
        Put("\n", 1);
    PutLine("endstream");
    EndObject();
}

// ---- Cross-reference table and trailer ----

void PdfObjectWriter::WriteTrailer(int32_t rootObjNr, int32_t infoObjNr)
{
    const int32_t startxref = int32_t(fpos_);
    const uint32_t count = objs_ ? objs_->Count() : 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (Entry(int32_t(i)).pos == kNotWritten)
            throw IoError(fname_, "PDF-Objekt " + IntText(i) + " fehlt");
    }
    PutLine("xref");
    line_.assign("0 ");
    AppendInt(line_, count);
    PutLine(line_);
    for (uint32_t i = 0; i < count; ++i) {
        const TPDFObjRec& rec = Entry(int32_t(i));
        line_.clear();
        AppendPadded(line_, uint32_t(rec.pos), 10);
        line_ += ' ';
        AppendPadded(line_, uint32_t(rec.gen), 5);
        line_ += rec.free ? " f \n" : " n \n";
        Put(line_.data(), line_.size());
    }
    PutLine("trailer");
    PutLine("<<");
    line_.assign("/Size ");
    AppendInt(line_, count);
    PutLine(line_);
    line_.assign("/Root ");
    AppendInt(line_, rootObjNr);
    line_ += " 0 R";
    PutLine(line_);
    if (infoObjNr != 0) {
        line_.assign("/Info ");
        AppendInt(line_, infoObjNr);
        line_ += " 0 R";
        PutLine(line_);
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string id;
    for (int i = 0; i < 17; ++i) {
        const uint8_t b = PdfRandomByte();
        id += kHex[b >> 4];
        id += kHex[b & 15];
    }
    line_ = "/ID [ <" + id + "><" + id + "> ]";
    PutLine(line_);
    PutLine(">>");
    PutLine("startxref");
    line_.clear();
    AppendInt(line_, startxref);
    PutLine(line_);
    Put("%%EOF", 5);
}
