#include "imaging/OpenDib.h"

#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "imaging/DibDecoder.h"

#include <cstring>
#include <new>
#include <sys/stat.h>

int32_t OpenDib(dib* d, const char* fname, int32_t format, uintptr_t)
{
    std::memset(d, 0, sizeof *d);
    if (!fname || !*fname)
        return 0;
    // Only plain files: a folder or a device would never give an image.
    struct stat st;
    if (stat(fname, &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    try {
        FileByteSource source(fname);
        return DibDecoder::Decode(source, format, *d) ? 1 : 0;
    } catch (const IoError&) {
    } catch (const std::bad_alloc&) {
    }
    std::memset(d, 0, sizeof *d);
    return 0;
}

const char* GetDIBOpenFilter()
{
    return "Alle Bilddateien (*.bmp;*.dib;*.png;*.jpg;*.jpeg;*.jpe;*.jfif)|"
           "*.bmp;*.dib;*.png;*.jpg;*.jpeg;*.jpe;*.jfif|"
           "Windows-Bitmap (*.bmp;*.dib)|*.bmp;*.dib|"
           "PNG (*.png)|*.png|"
           "JPEG (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif";
}
