#include "pdf/PdfImageStore.h"

#include "foundation/FileByteSource.h"
#include "foundation/InstanceLock.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/StaleFiles.h"
#include "foundation/TDynaArray.h"
#include "foundation/TempFileName.h"
#include "imaging/DibAccess.h"
#include "imaging/DibDecoder.h"
#include "imaging/DibMemory.h"
#include "imaging/OpenDib.h"
#include "imaging/SaveDib.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfObjectWriter.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace {

// The first free name that TempFileName gives, created empty and exclusively, so that a
// later image (or another program) cannot be given the same name before the file is
// written. Empty when no name can be created.
std::string ReserveTempFile(const std::string& prefix, const std::string& suffix)
{
    // While this process runs, an instance started meanwhile leaves its files alone.
    InstanceLock::HoldShared(StaleFiles::TempFolderLockPath(TempFolder()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TempFileName(prefix, suffix);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    return {};
}

// Deletes a temporary file when it goes out of scope.
class TempFileRemover {
public:
    explicit TempFileRemover(std::string name) : name_(std::move(name)) {}
    ~TempFileRemover()
    {
        if (!name_.empty())
            unlink(name_.c_str());
    }
    TempFileRemover(const TempFileRemover&) = delete;
    TempFileRemover& operator=(const TempFileRemover&) = delete;

private:
    std::string name_;
};

// Releases an image made for one call when the call ends, also by an exception.
class DibReleaser {
public:
    explicit DibReleaser(dib& d, bool active = true) : d_(d), active_(active) {}
    ~DibReleaser()
    {
        if (active_)
            FreeDib(d_);
    }
    DibReleaser(const DibReleaser&) = delete;
    DibReleaser& operator=(const DibReleaser&) = delete;

private:
    dib& d_;
    bool active_;
};

const char* const kColourPart = " /BitsPerComponent 8 /ColorSpace /DeviceRGB /Length ";
const char* const kCalibratedColourPart =
    " /BitsPerComponent 8 /ColorSpace [ /CalRGB<< /WhitePoint [0.9505 1.0000 1.0890]"
    "/Gamma [1.8000 1.8000 1.8000]/Matrix [ 0.4497 0.2446 0.0252 0.3163 0.6720 0.1412 0.1845 "
    "0.0833 0.9227]>>] /Length ";

}

PdfImageStore::PdfImageStore() : images_(std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFImageRec)), &aimag_)) {}

PdfImageStore::~PdfImageStore()
{
    Release();
}

void PdfImageStore::Release()
{
    const uint32_t count = images_->Count();
    for (uint32_t k = 0; k < count; ++k) {
        auto* rec = static_cast<TPDFImageRec*>(images_->At(k));
        if (rec->fname) {
            unlink(rec->fname);  // a failure is of no consequence
            std::free(rec->fname);
            rec->fname = nullptr;
        }
        FreeDib(rec->di);
    }
    images_->Clear();
}

// ---- Keeping images ----

int32_t PdfImageStore::Count() const
{
    return int32_t(images_->Count());
}

int32_t PdfImageStore::Keep(const dib& di, bool spool)
{
    const int32_t depth = DibBitCount(di);
    dib used = (depth == 4 || depth == 8) ? ExpandTo24Bit(di) : di;
    // Only a copy made here is released here, never the caller's image.
    DibReleaser release(used, used.bits != di.bits);
    const int32_t bpp = DibBitCount(used);
    if (!(bpp >= 24 || bpp == 1))
        return kNotKept;

    auto* rec = static_cast<TPDFImageRec*>(images_->Add());
    if (!rec)
        return kNoMemory;
    rec->bpp = bpp;
    if (!spool) {
        rec->di = CopyDib(used);
    } else {
        // The kept record holds no pointer into the caller's image, which may be gone by
        // the time the document ends.
        std::memset(&rec->di, 0, sizeof rec->di);
        const std::string name = ReserveTempFile("temppdfimg", ".bmp");
        if (!name.empty()) {
            rec->fname = strdup(name.c_str());
            if (rec->fname)
                SaveDib(used, rec->fname, kDibFormatBmp, 0);
            else
                unlink(name.c_str());
        }
    }
    return Count() - 1;
}

dib PdfImageStore::ExpandTo24Bit(const dib& di)
{
    const int32_t depth = DibBitCount(di);
    if (!di.bits || (depth != 4 && depth != 8))
        return di;
    const int32_t width = DibWidth(di);
    const int32_t height = DibHeight(di);
    dib out;
    newdib(&out, width, height, 24, nullptr, 0);
    if (!out.bits)
        return di;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = di.bits + int64_t(y) * di.stride;
        uint8_t* target = out.bits + int64_t(y) * out.stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t index = depth == 8 ? source[x] : ((x & 1) ? source[x >> 1] & 0x0F : source[x >> 1] >> 4);
            target[3 * x] = di.pal[index][2];
            target[3 * x + 1] = di.pal[index][1];
            target[3 * x + 2] = di.pal[index][0];
        }
    }
    return out;
}

dib PdfImageStore::CopyDib(const dib& di)
{
    dib copy;
    std::memset(&copy, 0, sizeof copy);
    if (!di.bits)
        return copy;
    const int64_t colors = DibColors(di);
    newdib(&copy, DibWidth(di), DibHeight(di), DibBitCount(di), di.info, colors <= 256 ? int32_t(colors) : 0);
    if (!copy.bits) {
        ReportOutOfMemory();
        return copy;
    }
    std::memcpy(copy.pal, di.pal, sizeof copy.pal);
    const size_t rowBytes = size_t(copy.stride < di.stride ? copy.stride : di.stride);
    for (int64_t y = 0; y < DibHeight(di); ++y)
        std::memcpy(copy.bits + y * copy.stride, di.bits + y * di.stride, rowBytes);
    return copy;
}

// ---- Image objects ----

void PdfImageStore::AppendResources(std::string& out, int64_t firstObject) const
{
    const uint32_t count = images_->Count();
    for (uint32_t k = 0; k < count; ++k) {
        out += "/Im";
        AppendInt(out, k);
        out += ' ';
        AppendInt(out, firstObject + k);
        out += " 0 R";
    }
}

void PdfImageStore::WriteObjects(PdfObjectWriter& out, bool calibrated, bool jpeg2000, PdfObjectWriter::StreamEnd end)
{
    const uint32_t count = images_->Count();
    for (uint32_t k = 0; k < count; ++k)
        WriteObject(out, *static_cast<TPDFImageRec*>(images_->At(k)), calibrated, jpeg2000, end);
}

void PdfImageStore::WriteObject(PdfObjectWriter& out, TPDFImageRec& rec, bool calibrated, bool jpeg2000,
                                PdfObjectWriter::StreamEnd end)
{
    // A spooled image comes back from its file only while it is written.
    const bool spooled = rec.fname != nullptr;
    if (spooled)
        OpenDib(&rec.di, rec.fname, kDibFormatBmp, 0);
    DibReleaser release(rec.di, spooled);

    const std::string name = ReserveTempFile("tempim", jpeg2000 ? ".jp2" : ".jpg");
    TempFileRemover remove(name);
    std::string data;
    bool encoded = false;
    if (!name.empty() && SaveDib(rec.di, name.c_str(), jpeg2000 ? kDibFormatJpeg2000 : kDibFormatJpeg, 0) == 1) {
        try {
            FileByteSource file(name);
            if (file.Remaining() <= uint64_t(std::numeric_limits<int32_t>::max())) {
                data.resize(size_t(file.Remaining()));
                file.Read(data.data(), data.size());
                encoded = true;
            }
        } catch (const IoError&) {
        }
    }
    if (!encoded) {
        // An image that could not be encoded still gets an object at its number, so that the
        // resources of every page and the cross-reference table stay right: a form that
        // draws nothing.
        out.WriteStreamObject("<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] /Length 0 >>", {}, end);
        return;
    }
    std::string dictionary = "<< /Type /XObject /Subtype /Image /Width ";
    AppendInt(dictionary, DibWidth(rec.di));
    dictionary += " /Height ";
    AppendInt(dictionary, DibHeight(rec.di));
    dictionary += calibrated ? kCalibratedColourPart : kColourPart;
    AppendInt(dictionary, int64_t(data.size()));
    dictionary += jpeg2000 ? " /Filter /JPXDecode >>" : " /Filter /DCTDecode >>";
    // The encoded data ends the image's own way; in the ordinary file "endstream" follows it
    // directly.
    out.WriteStreamObject(dictionary, data, end);
}
