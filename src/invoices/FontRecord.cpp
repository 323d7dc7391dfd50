#include "invoices/FontRecord.h"

#include "foundation/Cp1252.h"
#include "invoices/SaveDatInput.h"
#include "invoices/SaveDatOutput.h"

#include <string>

void WriteFontRecord(SaveDatOutput& out, const TFontSetting& font)
{
    std::string name = EncodeCp1252(font.name);
    if (name.size() > 255)
        name.resize(255);
    out.U8(font.charset);
    out.I32(font.color);
    out.U8(static_cast<uint8_t>(name.size()));
    out.Bytes(name.data(), name.size());
    out.U8(font.pitch);
    out.I32(font.pixelsPerInch);
    out.I32(font.size);
    out.U8(font.style);
}

void ReadFontRecord(SaveDatInput& in, TFontSetting& font)
{
    TFontSetting read;
    read.charset = in.U8();
    read.color = in.I32();
    const uint8_t length = in.U8();
    std::string name(length, '\0');
    in.Bytes(name.data(), length);
    read.name = DecodeCp1252(name);
    read.pitch = in.U8();
    // The resolution comes before the size, so the font keeps its point size.
    read.pixelsPerInch = in.I32();
    read.size = in.I32();
    read.style = in.U8();
    font = std::move(read);
}
