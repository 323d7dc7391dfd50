// Opens arbitrary bytes as a dBase table and walks it, reading every value (memos too), in
// file order and through an index. The input is the .dbf file, optionally followed by the
// line "--DBT--" and the .dbt memo file. Every damage must surface as IoError, never as a
// crash, a read past the files or an allocation larger than they are.
//   scripts/fuzz DbfFuzz 60
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

void WriteFile(const std::string& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        __builtin_trap();
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void Walk(DbfTable& table, size_t inputSize)
{
    int steps = 0;
    for (table.First(); !table.Eof() && steps < 10000; table.Next(), ++steps) {
        for (int i = 0; i < table.FieldCount(); ++i) {
            if (table.Value(i).size() > inputSize)
                __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/rekolon-dbffuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            __builtin_trap();
        return pattern + "/";
    }();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view marker = "--DBT--\n";
    const size_t split = input.find(marker);
    const std::string table = folder + "fuzz.dbf";
    const std::string memo = folder + "fuzz.dbt";
    WriteFile(table, input.substr(0, split));
    if (split != std::string_view::npos)
        WriteFile(memo, input.substr(split + marker.size()));
    else
        std::remove(memo.c_str());
    try {
        DbfTable dbf;
        dbf.Open(table);
        Walk(dbf, size);
        for (int i = 0; i < dbf.FieldCount(); ++i) {
            if (dbf.Field(i).IsCharacter()) {
                dbf.AddIndex(u"I", i);
                dbf.SelectIndex(u"I");
                Walk(dbf, size);
                break;
            }
        }
    } catch (const IoError&) {
    }
    return 0;
}
