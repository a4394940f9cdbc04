#pragma once
// The charset identifiers of the CharSets section and the font charset byte each stands for.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int CharsetCount = 19;

// The identifier of table row i (0-based, search order), "" outside the table.
std::string_view CharsetIdentifier(int i);
// The byte of an identifier; caseSensitive selects exact or case-insensitive matching.
std::optional<std::uint8_t> CharsetFromIdentifier(std::string_view identifier, bool caseSensitive);
// The identifier of a charset byte (first row with that byte); "" when the byte is unknown.
std::string CharsetToIdentifier(std::uint8_t charset);
