#pragma once
// The image line a question text may begin with: the marker, then the names of up to four
// pictures in the question data directory's img/ folder.
#include <QString>
#include <array>
#include <string>
#include <string_view>

namespace questionlayout
{

inline constexpr int kMaxImages = 4;

// The marker a question text's first line carries when the question has pictures.
inline constexpr std::string_view kImageMarker = "<INCLUDE IMG>";

// A question text split into its image line and the text to show (CP932 bytes).
struct ImageLine {
    bool present = false;  // the first line contained the marker and was removed
    std::string shownText; // the text without that line
    int count = 0;         // names found, at most kMaxImages
    std::array<std::string, kMaxImages> names{};
};

// When the first line of `text` contains the marker, removes that line and reads the names in
// it: the first 13 bytes (the marker's length) are dropped, then every "@" starts the next name.
// Text before the first "@" belongs to no name; names beyond the fourth are ignored.
// Double-byte characters are kept whole, so a second byte that happens to be "@" is no separator.
ImageLine splitImageLine(const std::string& text);

// The text without its image line, when the first line carries the marker (for lists and pages).
std::string withoutImageLine(const std::string& text);

// Full path of a question picture: the question data directory (with a trailing separator or
// not) + "img/" + name.
QString imagePath(const QString& questionDataDir, const std::string& name);

// The directory that holds a question data file, with a trailing "/"; empty for an empty path.
QString questionDataDir(const QString& questionFile);

} // namespace questionlayout
