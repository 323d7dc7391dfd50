#include "dbase/DbfPairTag.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <unistd.h>

namespace {

constexpr char kSignature[4] = {'R', 'k', 'P', '1'};

}  // namespace

DbfPairTag DbfPairTag::New()
{
    // The system's random source, mixed with the time and the process so that two tags of
    // one run, or of two runs started together, never agree.
    static std::random_device device;
    std::seed_seq seed{device(), device(), static_cast<unsigned>(::getpid()),
                       static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    static std::mt19937_64 generator(seed);
    const uint64_t bits = generator() ^ (uint64_t(device()) << 32 | device());
    DbfPairTag tag;
    std::array<uint8_t, 8> value{};
    for (size_t i = 0; i < value.size(); ++i)
        value[i] = static_cast<uint8_t>(bits >> (8 * i));
    tag.value_ = value;
    return tag;
}

DbfPairTag DbfPairTag::FromBytes(std::string_view bytes)
{
    DbfPairTag tag;
    if (bytes.size() < kSize || !std::equal(kSignature, kSignature + 4, bytes.begin()))
        return tag;
    std::array<uint8_t, 8> value{};
    for (size_t i = 0; i < value.size(); ++i)
        value[i] = static_cast<uint8_t>(bytes[4 + i]);
    tag.value_ = value;
    return tag;
}

std::string DbfPairTag::Bytes() const
{
    std::string bytes(kSize, '\0');
    if (!value_)
        return bytes;
    std::copy(kSignature, kSignature + 4, bytes.begin());
    for (size_t i = 0; i < value_->size(); ++i)
        bytes[4 + i] = static_cast<char>((*value_)[i]);
    return bytes;
}
