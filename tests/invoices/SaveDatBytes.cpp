#include "SaveDatBytes.h"

#include <cstring>
#include <stdexcept>

FileBytes& FileBytes::U8(uint8_t v)
{
    bytes_ += static_cast<char>(v);
    return *this;
}

FileBytes& FileBytes::I32(int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        bytes_ += static_cast<char>((u >> (8 * i)) & 0xFF);
    return *this;
}

FileBytes& FileBytes::F64(double v)
{
    uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i)
        bytes_ += static_cast<char>((u >> (8 * i)) & 0xFF);
    return *this;
}

FileBytes& FileBytes::S8(const std::string& windows1252)
{
    I32(static_cast<int32_t>(windows1252.size()));
    bytes_ += windows1252;
    return *this;
}

FileBytes& FileBytes::S16(const std::u16string& text)
{
    I32(static_cast<int32_t>(text.size()));
    for (char16_t c : text) {
        bytes_ += static_cast<char>(c & 0xFF);
        bytes_ += static_cast<char>(c >> 8);
    }
    return *this;
}

FileBytes& FileBytes::Raw(const std::string& bytes)
{
    bytes_ += bytes;
    return *this;
}

FileBytes& FileBytes::Font(uint8_t charset, int32_t colour, const std::string& name, uint8_t pitch, int32_t ppi,
                           int32_t size, uint8_t style)
{
    U8(charset).I32(colour).U8(static_cast<uint8_t>(name.size())).Raw(name);
    return U8(pitch).I32(ppi).I32(size).U8(style);
}

namespace {

class Walker {
public:
    explicit Walker(const std::string& f) : f_(f) {}
    bool AtEnd() const { return pos_ == f_.size(); }
    size_t Pos() const { return pos_; }
    void Skip(size_t n)
    {
        if (n > f_.size() - pos_)
            throw std::runtime_error("file too short");
        pos_ += n;
    }
    int32_t I32()
    {
        Skip(4);
        uint32_t u = 0;
        for (int i = 3; i >= 0; --i)
            u = (u << 8) | static_cast<unsigned char>(f_[pos_ - 4 + size_t(i)]);
        return static_cast<int32_t>(u);
    }
    void S8() { Skip(size_t(I32())); }
    void S16() { Skip(2 * size_t(I32())); }
    void Font()
    {
        Skip(5);
        const size_t n = static_cast<unsigned char>(f_[pos_]);
        Skip(1 + n + 1 + 4 + 4 + 1);
    }

private:
    const std::string& f_;
    size_t pos_ = 0;
};

// Walks over one of the sections 4 to 22; `positions` holds the position count of each invoice.
void SkipSection(Walker& w, int section, const std::vector<int32_t>& positions)
{
    switch (section) {
    case 4:
        w.S8();
        w.S8();
        w.Skip(2);
        for (int k = 0; k < 7; ++k)
            w.Font();
        break;
    case 5:
        w.S8();
        w.Skip(24);
        break;
    case 6:
        w.S8();
        for (int32_t i = w.I32(); i > 0; --i)
            w.S8();
        break;
    case 7:
    case 8:
    case 12:
    case 14:
    case 15:
    case 16:
    case 18:
        w.Skip(1);
        break;
    case 9:
    case 17:
        w.S8();
        break;
    case 10:
        w.S8();
        w.Skip(1);
        w.S8();
        for (int32_t i = w.I32(); i > 0; --i)
            for (int k = 0; k < 9; ++k)
                w.S8();
        break;
    case 11:
        w.S8();
        for (int32_t i = w.I32(); i > 0; --i) {
            w.S8();
            w.S8();
        }
        break;
    case 13:
    case 22:
        w.Font();
        break;
    case 19:
        for (int32_t p : positions) {
            w.I32();
            for (int32_t j = 0; j < p; ++j)
                for (int32_t m = w.I32(); m > 0; --m)
                    w.S16();
        }
        break;
    case 20:
        w.Skip(101);
        break;
    case 21:
        for (int32_t t = w.I32(); t > 0; --t) {
            w.S16();
            w.S16();
        }
        break;
    }
}

// Walks over the invoices, the articles and the company texts (sections 1 to 3); gives each
// invoice's position count.
std::vector<int32_t> SkipRecordSections(Walker& w, std::vector<size_t>& ends)
{
    std::vector<int32_t> positions;
    const int32_t n = w.I32();
    for (int32_t i = 0; i < n; ++i) {
        for (int t = 0; t < 13; ++t)
            w.S8();
        w.Skip(32);
        const int32_t p = w.I32();
        positions.push_back(p);
        for (int32_t j = 0; j < p; ++j) {
            w.S8();
            w.S8();
            w.S8();
            w.Skip(24);
        }
    }
    ends.push_back(w.Pos());
    const int32_t a = w.I32();
    for (int32_t i = 0; i < a; ++i) {
        w.S8();
        w.S8();
        w.S8();
        w.Skip(16);
    }
    ends.push_back(w.Pos());
    for (int t = 0; t < 9; ++t)
        w.S8();
    w.Skip(40);
    ends.push_back(w.Pos());
    return positions;
}

}  // namespace

std::vector<size_t> SectionEnds(const std::string& file)
{
    Walker w(file);
    std::vector<size_t> ends;
    const std::vector<int32_t> positions = SkipRecordSections(w, ends);
    for (int section = 4; section <= 22; ++section) {
        if (w.AtEnd())
            break;
        SkipSection(w, section, positions);
        ends.push_back(w.Pos());
    }
    return ends;
}

std::string DefaultSettingsSections()
{
    FileBytes b;
    // 3: company block and page geometry.
    b.S8("FirmaED")
        .S8("Stra\xDF"
            "eEd")
        .S8("PLZEd")
        .S8("OrtED")
        .S8("TelED")
        .S8("FaxEd");
    b.S8("SteuerED").S8("Firma - wir sind die besten");
    b.S8("Bankverbindung: Sparkasse XAZ,  IBAN.:DE4234293429 BIC: 4345345545");
    b.F64(15).F64(15).F64(45).F64(130).F64(0.1);
    // 4: e-mail, homepage, centred footer, sequential numbering, fonts 1 to 7.
    b.S8("eMailEd").S8("").U8(1).U8(2);
    b.Font(1, 0, "Arial", 0, 96, 11, 0);
    b.Font(1, 0, "Arial", 0, 96, 16, 0);
    b.Font(1, 0, "Arial", 0, 96, 8, 0);
    b.Font(1, 0, "Arial", 0, 96, 14, 1);
    b.Font(1, 0, "Arial", 0, 96, 9, 0);
    b.Font(1, 0, "Arial", 0, 96, 11, 0);
    b.Font(1, 0, "Arial", 0, 96, 9, 0);
    // 5: no logo at 15/15, width 170.
    b.S8("").F64(15).F64(15).F64(170);
    // 6: counter, no invoices.
    b.S8("6300000").I32(0);
    // 7, 8, 9.
    b.U8(0).U8(1).S8("\x80");
    // 10, 11.
    b.S8("").U8(0).S8("").I32(0);
    b.S8("").I32(0);
    // 12 to 18.
    b.U8(0);
    b.Font(1, 0, "Arial", 0, 96, 11, 0);
    b.U8(1).U8(0).U8(0).S8("ZusatzEd").U8(0);
    // 19 (nothing without invoices), 20, 21, 22.
    b.Raw(std::string(101, '\0'));
    b.I32(0);
    b.Font(1, 0, "Arial", 0, 96, 11, 1);
    return b.Str();
}
