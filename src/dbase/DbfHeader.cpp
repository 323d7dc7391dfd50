#include "dbase/DbfHeader.h"

#include "foundation/ByteSource.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"

#include <algorithm>
#include <ctime>
#include <string_view>

namespace {

constexpr int kMaxRecordLength = 4000;  // dBase IV's limit for one record
constexpr int kMaxFields = 255;
constexpr int kMaxNameLength = 10;

[[noreturn]] void Damaged(const std::string& file, const std::string& what)
{
    throw IoError(file, "Beschädigte dBase-Tabelle: " + what);
}

char16_t AsciiUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

std::u16string UpperAscii(std::u16string_view text)
{
    std::u16string out(text);
    for (auto& c : out)
        c = AsciiUpper(c);
    return out;
}

bool CheckedLength(const DbfField& field, bool reading)
{
    switch (field.type) {
    case 'C':
        return field.length >= 1 && field.length <= (reading ? 255 : 254);
    case 'M':
        return field.length == 10;
    case 'N':
    case 'F':
        return field.length >= 1 && field.length <= 20;
    case 'D':
        return field.length == 8;
    case 'L':
        return field.length == 1;
    default:
        return false;
    }
}

std::string AllowedLengths(char type)
{
    switch (type) {
    case 'C':
        return "1 bis 254";
    case 'N':
    case 'F':
        return "1 bis 20";
    case 'D':
        return "Datumsfelder haben 8";
    case 'L':
        return "logische Felder haben 1";
    default:
        return "Memofelder haben 10";
    }
}

}  // namespace

DbfHeader ReadDbfHeader(ByteSource& source, uint64_t fileSize)
{
    const std::string& file = source.Name();
    if (fileSize < 32 + 32 + 1 || source.Remaining() < 32)
        Damaged(file, "die Datei ist zu kurz für einen Tabellenkopf");
    DbfHeader header;
    header.version = source.ReadU8();
    if (header.version != DbfHeader::kVersionPlain && header.version != DbfHeader::kVersionDBase3Memo &&
        header.version != DbfHeader::kVersionDBase4Memo)
        Damaged(file, "unbekannte Versionskennung " + std::to_string(header.version));
    source.Skip(3);  // date of last update
    header.recordCount = source.ReadU32();
    header.headerLength = source.ReadU16();
    header.recordLength = source.ReadU16();
    source.Skip(4);
    std::string tag(DbfPairTag::kSize, '\0');
    source.Read(tag.data(), tag.size());
    header.tag = DbfPairTag::FromBytes(tag);
    source.Skip(1);
    header.languageDriver = source.ReadU8();
    source.Skip(2);
    const DbfCodePage codePage = header.CodePage();

    if (header.headerLength < 32 + 32 + 1 || header.headerLength > fileSize)
        Damaged(file, "die Kopflänge " + std::to_string(header.headerLength) + " ist ungültig");
    if (header.recordLength < 2)
        Damaged(file, "die Satzlänge " + std::to_string(header.recordLength) + " ist ungültig");

    // Column descriptors up to the terminator, all inside the announced header length.
    uint32_t position = 32;
    uint32_t recordLength = 1;
    for (;;) {
        if (position >= header.headerLength || source.Remaining() < 1)
            Damaged(file, "die Feldbeschreibungen enden nicht mit 0x0D");
        unsigned char first = 0;
        source.Read(&first, 1);
        if (first == 0x0D)
            break;
        if (position + 32 > header.headerLength || source.Remaining() < 31)
            Damaged(file, "eine Feldbeschreibung reicht über den Tabellenkopf hinaus");
        unsigned char d[32];
        d[0] = first;
        source.Read(d + 1, 31);
        position += 32;

        size_t nameLength = 0;
        while (nameLength < 11 && d[nameLength] != 0)
            ++nameLength;
        DbfField field;
        field.name = codePage.Decode(std::string_view(reinterpret_cast<const char*>(d), nameLength));
        while (!field.name.empty() && field.name.back() == u' ')
            field.name.pop_back();
        field.type = static_cast<char>(d[11]);
        field.length = d[16];
        // Only numbers have decimals; other writers leave anything in that byte.
        field.decimals = (field.type == 'N' || field.type == 'F') ? d[17] : 0;
        const std::string number = std::to_string(header.fields.size() + 1);
        if (field.name.empty())
            Damaged(file, "Feld " + number + " hat keinen Namen");
        if (!CheckedLength(field, true))
            Damaged(file, "Feld " + number + " hat einen unbekannten Typ oder eine ungültige Länge");
        if (field.type == 'M' && !header.HasMemoFile())
            Damaged(file, "Memofeld in einer Tabelle ohne Memodatei");
        header.offsets.push_back(recordLength);
        recordLength += static_cast<uint32_t>(field.length);
        header.fields.push_back(std::move(field));
    }
    if (header.fields.empty())
        Damaged(file, "die Tabelle hat keine Felder");
    if (recordLength != header.recordLength)
        Damaged(file, "die Satzlänge " + std::to_string(header.recordLength) + " passt nicht zu den Feldern (" +
                          std::to_string(recordLength) + ")");
    header.announcedRecordCount = header.recordCount;
    const uint64_t whole = (fileSize - header.headerLength) / header.recordLength;
    if (whole < header.recordCount)
        header.recordCount = static_cast<uint32_t>(whole);
    return header;
}

void CheckDbfFields(const std::vector<DbfField>& fields, const std::string& fileName, const DbfCodePage& codePage)
{
    auto refuse = [&](const std::string& what) { throw IoError(fileName, what); };
    if (fields.empty())
        refuse("Eine Tabelle braucht mindestens ein Feld");
    if (fields.size() > kMaxFields)
        refuse("Eine dBase-Tabelle kann höchstens 255 Felder haben");
    int recordLength = 1;
    std::vector<std::u16string> seen;
    for (const DbfField& field : fields) {
        const std::string shown = Utf16ToUtf8(field.name);
        if (field.name.empty())
            refuse("Der Name eines Feldes darf nicht leer sein");
        if (field.name.size() > kMaxNameLength)
            refuse("Der Feldname \"" + shown + "\" ist länger als 10 Zeichen");
        for (char16_t c : field.name) {
            if (c <= u' ' || c == 0x7F || !codePage.Represents(c))
                refuse("Der Feldname \"" + shown + "\" enthält ein unzulässiges Zeichen");
        }
        const std::u16string upper = UpperAscii(field.name);
        if (std::find(seen.begin(), seen.end(), upper) != seen.end())
            refuse("Der Feldname \"" + shown + "\" kommt doppelt vor");
        seen.push_back(upper);
        if (std::string_view("CMNFDL").find(field.type) == std::string_view::npos)
            refuse("Feld \"" + shown + "\": der Feldtyp " + std::string(1, field.type) + " wird nicht unterstützt");
        if (!CheckedLength(field, false))
            refuse("Feld \"" + shown + "\": die Länge " + std::to_string(field.length) + " ist ungültig (" +
                   AllowedLengths(field.type) + ")");
        const bool number = field.type == 'N' || field.type == 'F';
        if (field.decimals != 0 && (!number || field.decimals >= field.length || field.decimals > 15))
            refuse("Feld \"" + shown + "\": " + std::to_string(field.decimals) +
                   " Nachkommastellen passen nicht zur Länge " + std::to_string(field.length));
        recordLength += field.length;
    }
    if (recordLength > kMaxRecordLength)
        refuse("Die Datensätze wären " + std::to_string(recordLength) + " Bytes lang; dBase erlaubt höchstens 4000");
}

DbfHeader MakeDbfHeader(const std::vector<DbfField>& fields, uint8_t languageDriver)
{
    DbfHeader header;
    header.languageDriver = languageDriver;
    const bool memo = std::any_of(fields.begin(), fields.end(), [](const DbfField& f) { return f.IsMemo(); });
    header.version = memo ? DbfHeader::kVersionDBase4Memo : DbfHeader::kVersionPlain;
    header.fields = fields;
    header.headerLength = static_cast<uint16_t>(32 + 32 * fields.size() + 1);
    uint32_t length = 1;
    for (const DbfField& field : fields) {
        header.offsets.push_back(length);
        length += static_cast<uint32_t>(field.length);
    }
    header.recordLength = static_cast<uint16_t>(length);
    return header;
}

std::string DbfDateAndCount(uint32_t recordCount)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string bytes(7, '\0');
    bytes[0] = static_cast<char>(local.tm_year % 256);
    bytes[1] = static_cast<char>(local.tm_mon + 1);
    bytes[2] = static_cast<char>(local.tm_mday);
    for (int i = 0; i < 4; ++i)
        bytes[3 + i] = static_cast<char>((recordCount >> (8 * i)) & 0xFF);
    return bytes;
}

std::string SerializeDbfHeader(const DbfHeader& header)
{
    std::string bytes(32, '\0');
    bytes[0] = static_cast<char>(header.version);
    const std::string dateCount = DbfDateAndCount(header.recordCount);
    std::copy(dateCount.begin(), dateCount.end(), bytes.begin() + 1);
    bytes[8] = static_cast<char>(header.headerLength & 0xFF);
    bytes[9] = static_cast<char>(header.headerLength >> 8);
    bytes[10] = static_cast<char>(header.recordLength & 0xFF);
    bytes[11] = static_cast<char>(header.recordLength >> 8);
    const std::string tag = header.tag.Bytes();
    std::copy(tag.begin(), tag.end(), bytes.begin() + DbfPairTag::kTableOffset);
    bytes[29] = static_cast<char>(header.languageDriver);
    const DbfCodePage codePage = header.CodePage();
    for (const DbfField& field : header.fields) {
        std::string d(32, '\0');
        const std::string name = codePage.Encode(field.name);
        std::copy(name.begin(), name.begin() + std::min<size_t>(name.size(), 10), d.begin());
        d[11] = field.type;
        d[16] = static_cast<char>(field.length);
        d[17] = static_cast<char>(field.decimals);
        bytes += d;
    }
    bytes += '\x0D';
    bytes.resize(std::max<size_t>(bytes.size(), header.headerLength), '\0');
    return bytes;
}
