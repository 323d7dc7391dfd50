#include "imaging/BmpReader.h"

#include "foundation/ByteSource.h"
#include "foundation/IoError.h"
#include "imaging/BmpBitFields.h"
#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
// Longer headers than the known versions are accepted up to this size.
constexpr uint32_t kMaxHeaderSize = 4096;

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // negative: top row first
    int32_t bits = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool hasMasks = false;
    int paletteEntrySize = 4;
};

bool ReadHeader(ByteSource& s, Header& h, uint64_t& consumed)
{
    const uint32_t size = s.ReadU32();
    consumed += 4;
    if (size == 12) {
        h.width = s.ReadU16();
        h.height = s.ReadU16();
        s.ReadU16();  // planes
        h.bits = s.ReadU16();
        h.paletteEntrySize = 3;
        consumed += 8;
        return true;
    }
    if (size < 40 || size > kMaxHeaderSize)
        return false;
    h.width = s.ReadI32();
    h.height = s.ReadI32();
    s.ReadU16();  // planes
    h.bits = s.ReadU16();
    h.compression = s.ReadU32();
    s.ReadU32();  // size of the pixel data
    s.ReadI32();  // resolution
    s.ReadI32();
    h.colorsUsed = s.ReadU32();
    s.ReadU32();  // important colours
    consumed += 36;
    uint32_t rest = size - 40;
    if (size >= 52) {
        for (int i = 0; i < 3; ++i)
            h.masks[i] = s.ReadU32();
        rest -= 12;
        consumed += 12;
        h.hasMasks = true;
        if (size >= 56) {
            h.masks[3] = s.ReadU32();
            rest -= 4;
            consumed += 4;
        }
    }
    s.Skip(rest);
    consumed += rest;
    if (h.compression == kBitFields && size == 40) {
        // The three masks follow the short header.
        for (int i = 0; i < 3; ++i)
            h.masks[i] = s.ReadU32();
        consumed += 12;
        h.hasMasks = true;
    }
    return true;
}

// 16-bit pixels are widened to 24 bits; every other depth is kept.
int32_t ImageBits(const Header& h)
{
    return h.bits == 16 ? 24 : h.bits;
}

// The masks that give a 16- or 32-bit pixel its channels: those of the file for bit fields;
// 5-5-5 for plain 16-bit rows; for plain 32-bit rows the standard colours with the alpha
// mask of a newer header, when it has a sound one.
BmpBitFields FieldsOf(const Header& h)
{
    if (h.compression == kBitFields)
        return BmpBitFields(h.bits, h.masks[0], h.masks[1], h.masks[2], h.masks[3]);
    if (h.bits == 16)
        return BmpBitFields(16, 0x7C00, 0x03E0, 0x001F, 0);
    const BmpBitFields plain(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    const bool standard =
        h.hasMasks && h.masks[0] == 0x00FF0000 && h.masks[1] == 0x0000FF00 && h.masks[2] == 0x000000FF;
    const BmpBitFields alpha(32, 0x00FF0000, 0x0000FF00, 0x000000FF, standard ? h.masks[3] : 0);
    return alpha.Valid() ? alpha : plain;
}

bool Acceptable(const Header& h)
{
    if (h.width < 1 || h.height == 0 || h.height < -int64_t(std::numeric_limits<int32_t>::max()))
        return false;
    const int64_t height = h.height < 0 ? -h.height : h.height;
    if (!DibSizeAllowed(h.width, height, ImageBits(h)))
        return false;
    switch (h.compression) {
    case kRgb:
        return true;
    case kRle8:
        return h.bits == 8 && h.height > 0;
    case kRle4:
        return h.bits == 4 && h.height > 0;
    case kBitFields:
        return (h.bits == 16 || h.bits == 32) && h.hasMasks && FieldsOf(h).Valid();
    default:
        return false;
    }
}

void SetIndex(const dib& d, int64_t x, int64_t y, int32_t bits, uint8_t index)
{
    uint8_t* row = d.bits + y * d.stride;
    if (bits == 8) {
        row[x] = index;
    } else if (x & 1) {
        row[x >> 1] = uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F));
    } else {
        row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | (index & 0x0F) << 4);
    }
}

// Run-length encoded rows, bottom row first. The data must end with the end-of-bitmap mark or
// fill every row; data that ends before that is a cut file.
bool ReadRle(ByteSource& s, const dib& d, int32_t bits)
{
    const int64_t width = DibWidth(d);
    const int64_t height = DibHeight(d);
    int64_t x = 0;
    int64_t y = 0;
    while (y < height) {
        if (s.Remaining() < 2)
            return false;
        const uint8_t count = s.ReadU8();
        const uint8_t code = s.ReadU8();
        if (count > 0) {
            for (int k = 0; k < count; ++k, ++x) {
                if (x < width) {
                    const uint8_t index = bits == 8 ? code : ((k & 1) ? code & 0x0F : code >> 4);
                    SetIndex(d, x, y, bits, index);
                }
            }
            continue;
        }
        switch (code) {
        case 0:
            x = 0;
            ++y;
            break;
        case 1:
            return true;
        case 2:
            x += s.ReadU8();
            y += s.ReadU8();
            break;
        default: {
            // `code` pixels stored as they are, padded to a 16-bit boundary.
            const int bytes = bits == 8 ? code : (code + 1) / 2;
            uint8_t data[256];
            s.Read(data, size_t(bytes + (bytes & 1)));
            for (int k = 0; k < code; ++k, ++x) {
                if (x < width) {
                    const uint8_t index = bits == 8 ? data[k] : ((k & 1) ? data[k / 2] & 0x0F : data[k / 2] >> 4);
                    SetIndex(d, x, y, bits, index);
                }
            }
            break;
        }
        }
    }
    return true;
}

// Turns the rows of 16- or 32-bit pixels, as read from the file into the start of each
// image row, into blue, green, red (and a zero byte in a 32-bit image). With an alpha mask
// whose values are not all zero the colour is composed over white. Each row is converted from
// its right end, so that a wider target pixel never overwrites a source pixel not yet read.
void ConvertBitFields(const dib& d, const BmpBitFields& fields)
{
    const int64_t width = DibWidth(d);
    const int64_t height = DibHeight(d);
    const int64_t in = fields.BytesPerPixel();
    const int64_t out = DibBitCount(d) / 8;
    bool useAlpha = false;
    for (int64_t y = 0; y < height && fields.HasAlpha() && !useAlpha; ++y) {
        const uint8_t* row = d.bits + y * d.stride;
        for (int64_t x = 0; x < width && !useAlpha; ++x)
            useAlpha = fields.Alpha(fields.Read(row + x * in)) != 0;
    }
    for (int64_t y = 0; y < height; ++y) {
        uint8_t* row = d.bits + y * d.stride;
        for (int64_t x = width - 1; x >= 0; --x) {
            const uint32_t pixel = fields.Read(row + x * in);
            uint32_t c[3] = {fields.Blue(pixel), fields.Green(pixel), fields.Red(pixel)};
            if (useAlpha) {
                const uint32_t a = fields.Alpha(pixel);
                for (uint32_t& v : c)
                    v = (v * a + 255 * (255 - a) + 127) / 255;
            }
            uint8_t* p = row + x * out;
            p[0] = uint8_t(c[0]);
            p[1] = uint8_t(c[1]);
            p[2] = uint8_t(c[2]);
            if (out == 4)
                p[3] = 0;
        }
        std::memset(row + width * out, 0, size_t(d.stride - width * out));
    }
}

bool ReadBody(ByteSource& s, dib& out)
{
    uint64_t consumed = 2;
    s.ReadU32();  // file size: often wrong, not needed
    s.ReadU32();  // reserved
    const uint32_t offset = s.ReadU32();
    consumed += 12;
    Header h;
    if (!ReadHeader(s, h, consumed) || !Acceptable(h))
        return false;

    // Colour table: as many entries as announced (all the depth allows when none is), as far
    // as they lie before the pixel data.
    TDibInfo table{};
    int32_t tableEntries = 0;
    if (h.bits <= 8) {
        const uint64_t announced = h.colorsUsed ? h.colorsUsed : (uint64_t(1) << h.bits);
        if (announced > 256 || offset < consumed)
            return false;
        const uint64_t room = (offset - consumed) / uint64_t(h.paletteEntrySize);
        tableEntries = int32_t(announced < room ? announced : room);
        for (int32_t i = 0; i < tableEntries; ++i) {
            uint8_t entry[4] = {0, 0, 0, 0};
            s.Read(entry, size_t(h.paletteEntrySize));
            table.colors[i] = TRgbQuad{entry[0], entry[1], entry[2], 0};
        }
        consumed += uint64_t(tableEntries) * uint64_t(h.paletteEntrySize);
    }
    if (offset < consumed)
        return false;
    s.Skip(offset - consumed);

    const int64_t height = h.height < 0 ? -h.height : h.height;
    const int64_t stride = DibStrideFor(h.width, h.bits);  // of the file's rows
    if (h.compression == kRgb || h.compression == kBitFields) {
        // The last row may lack its padding.
        const uint64_t needed = uint64_t(stride) * uint64_t(height - 1) + uint64_t((h.width * h.bits + 7) / 8);
        if (s.Remaining() < needed)
            return false;
    } else if (s.Remaining() < 2) {
        return false;
    }
    newdib(&out, int32_t(h.width), int32_t(height), ImageBits(h), &table, h.bits <= 8 ? 256 : 0);
    if (!out.bits)
        return false;
    if (h.compression == kRle8 || h.compression == kRle4) {
        if (!ReadRle(s, out, h.bits)) {
            FreeDib(out);
            return false;
        }
        return true;
    }
    // Each file row goes to the start of its image row (a widened row is longer).
    for (int64_t i = 0; i < height; ++i) {
        const int64_t row = h.height > 0 ? i : height - 1 - i;
        const uint64_t n = s.Remaining() < uint64_t(stride) ? s.Remaining() : uint64_t(stride);
        s.Read(out.bits + row * out.stride, size_t(n));
    }
    if (h.bits == 16 || h.bits == 32) {
        const BmpBitFields fields = FieldsOf(h);
        if (h.bits == 16 || h.compression == kBitFields || fields.HasAlpha())
            ConvertBitFields(out, fields);
    }
    return true;
}

}

bool BmpReader::Read(ByteSource& source, dib& out)
{
    std::memset(&out, 0, sizeof out);
    try {
        if (ReadBody(source, out))
            return true;
    } catch (const IoError&) {
    }
    FreeDib(out);
    std::memset(&out, 0, sizeof out);
    return false;
}
