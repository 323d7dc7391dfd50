// Runs a fuzz target once over each file named on the command line, so that the fixtures
// and any crash inputs found by libFuzzer stay regression tests in ordinary builds.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[])
{
    int run = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in)
            continue;  // folders and unreadable entries
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++run;
    }
    std::printf("%d inputs run\n", run);
    return 0;
}
