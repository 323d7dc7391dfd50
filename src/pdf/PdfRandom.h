#pragma once

#include <cstdint>

// The random source of the PDF writer (file identifiers, metadata packet ids): a
// pseudo-random generator seeded once per run.
uint8_t PdfRandomByte();
char PdfRandomLowerLetter();  // 'a' to 'z'
