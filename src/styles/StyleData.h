#pragma once
// The small text rules every answer style shares: item lists introduced by "@", number fields
// separated by ",", and trimming of blanks and control bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace styledata
{

// Splits a data string at each "@": every "@" begins a new item, text before the first belongs
// to none. "@a@@b" gives {"a", "", "b"}; a string without "@" gives no items.
std::vector<std::string> splitItems(std::string_view data);

// Splits an item at `separator` (',' or ';'), left to right; the last field runs to the end.
// An empty item gives one empty field.
std::vector<std::string> splitFields(std::string_view item, char separator = ',');

// A decimal integer with an optional leading sign, after any leading blanks; nothing else may follow.
// Anything else, or a value outside int, gives nothing.
std::optional<int> parseInt(std::string_view text);

// The first `count` fields of `item` as decimal integers; nothing when the item has fewer
// fields or one of them is not a decimal integer.
std::optional<std::vector<int>> parseInts(std::string_view item, int count);

// Removes every leading and trailing byte with a value up to 32.
std::string trimmed(std::string_view text);

// Upper-case ASCII letters (0x41-0x5A) become lower case, byte by byte, trail bytes of double-byte
// characters included; nothing else changes (full-width letters stay as they are).
std::string lowerAsciiBytes(std::string_view text);

} // namespace styledata
