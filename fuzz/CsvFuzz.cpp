// Reads arbitrary bytes as a customer CSV file: lines (with a small length limit, so that the
// passing over of long lines is reached too), each decoded from Windows-1252 and split into
// values as the import does. Nothing may crash, read out of bounds or grow: no value is longer
// than its line, a line yields at most as many values as asked for, and asking for fewer
// values gives the first ones of the longer answer.
#include "customers/CsvLineParser.h"
#include "customers/CsvLineReader.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/MemoryByteSource.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryByteSource source(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    try {
        CsvLineReader reader(source, 4096);
        std::string line;
        uint64_t consumed = 0;
        while (true) {
            const CsvLineReader::Result result = reader.Next(line);
            if (result == CsvLineReader::Result::End)
                break;
            if (reader.Consumed() < consumed || reader.Consumed() > size || line.size() > 4096)
                __builtin_trap();
            consumed = reader.Consumed();
            if (result == CsvLineReader::Result::TooLong)
                continue;
            const std::u16string text = DecodeCp1252(line);
            const std::vector<std::u16string> all = CsvLineParser::Values(text, 1000000);
            const std::vector<std::u16string> few = CsvLineParser::Values(text, 3);
            if (few.size() > 3 || few.size() > all.size())
                __builtin_trap();
            for (size_t i = 0; i < few.size(); ++i) {
                if (few[i] != all[i])
                    __builtin_trap();
            }
            for (const std::u16string& value : all) {
                if (value.size() > text.size())
                    __builtin_trap();
            }
        }
    } catch (const IoError&) {
        __builtin_trap();  // reading from memory never fails
    }
    return 0;
}
