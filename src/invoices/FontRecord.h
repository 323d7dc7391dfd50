#pragma once

#include "invoices/TFontSetting.h"

class SaveDatInput;
class SaveDatOutput;

// The font record of the store file: charset u8, colour i32, name length u8, the name in
// Windows-1252, pitch u8, pixels per inch i32, size in points i32, style u8.

// A name longer than 255 bytes is cut to 255.
void WriteFontRecord(SaveDatOutput& out, const TFontSetting& font);

// Reads one whole record; the font is changed only when the record is complete.
void ReadFontRecord(SaveDatInput& in, TFontSetting& font);
