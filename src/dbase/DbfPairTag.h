#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Tells which memo file belongs to which table file. The program writes the same tag into
// reserved bytes of a table's header and of its memo file's header (12 bytes: a fixed
// signature, then 8 random bytes). Readers ignore these bytes; editing keeps them. A table
// that the program is still filling carries the tag only in its memo file until it is
// complete, so that a table and memo whose tags agree are a whole table.
//
// Files written by other programs (or by older versions) carry no tag: None.
class DbfPairTag {
public:
    static constexpr size_t kSize = 12;
    static constexpr size_t kTableOffset = 16;  // header bytes 16..27, reserved for multi-user dBase
    static constexpr size_t kMemoOffset = 24;   // memo header bytes 24..35, reserved

    DbfPairTag() = default;
    // A new tag, different from every other with overwhelming likelihood.
    static DbfPairTag New();
    // The tag in those 12 bytes, or an empty one when they do not hold the signature.
    static DbfPairTag FromBytes(std::string_view bytes);

    bool Empty() const { return !value_.has_value(); }
    // The 12 bytes to store; zeros for an empty tag.
    std::string Bytes() const;
    bool operator==(const DbfPairTag&) const = default;

private:
    std::optional<std::array<uint8_t, 8>> value_;
};
