#pragma once
// Hexadecimal digits of bytes, as the "%HH" escapes of the question source and of form
// parameters write them.
#include <optional>
#include <string>
#include <string_view>

namespace hex
{

// The bytes of a run of hex digits (either case), two digits a byte; nullopt when the count is
// odd or a character is no hex digit. An empty run is no bytes.
std::optional<std::string> decode(std::string_view digits);

// Appends the two upper-case hex digits of `byte`.
void appendByte(std::string& out, unsigned char byte);

} // namespace hex
