#pragma once
// What the packer and the unpacker of the question source share: how a line is stored in the
// file, the "%" form that writes any bytes exactly, and the names of the header fields.
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace qsource
{

// How a line is stored in the file: as it stands, through ScrambleLine, or (references and pages)
// through ScrambleLine unless it is the plain "Null" that stands for no entry.
enum class Role { Plain, Scrambled, Reference };

std::string storedForm(Role role, std::string_view text);

// The text a stored line shows; storedForm of it is the stored line again (ScrambleLine is its own
// inverse), except for references whose text reads as "Null" (checked by the caller).
std::string shownForm(Role role, std::string_view stored);

// The "%" form: the file's bytes exactly, printable ASCII as itself, everything else %HH.
std::string escapeBytes(std::string_view bytes);
// Its inverse; nullopt when a "%" is not followed by two hex digits.
std::optional<std::string> unescapeBytes(std::string_view text);

// CP932 bytes as text for the source, when they convert there and back unchanged and hold no
// control characters other than tab.
std::optional<QString> sourceText(std::string_view bytes);

// The ten header lines of the file, in their order.
inline constexpr int kHeaderCount = 10;
inline constexpr const char* kHeaderKeys[kHeaderCount] = {"format", "mock",   "minutes",  "code",    "title",
                                                          "badge1", "badge2", "badge345", "updated", "questions"};

// Position of a header key in kHeaderKeys, or -1.
int headerIndex(std::string_view key);

} // namespace qsource
