#include "pdf/PdfRandom.h"

#include <random>

namespace {

std::mt19937& Generator()
{
    static std::mt19937 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device()};
        return std::mt19937(seed);
    }();
    return generator;
}

}

uint8_t PdfRandomByte()
{
    return uint8_t(std::uniform_int_distribution<int>(0, 255)(Generator()));
}

char PdfRandomLowerLetter()
{
    return char('a' + std::uniform_int_distribution<int>(0, 25)(Generator()));
}
