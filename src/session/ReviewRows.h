#pragma once
// What the review screen lists and how its list turns over: one row per session question with
// its position, its text without the image line, and the mark column.
#include "session/SessionTypes.h"

#include <string>
#include <vector>

namespace review
{

inline constexpr int kPageRows = 14;    // rows the scroll box shows at once
inline constexpr int kPageHeight = 224; // height of the scroll box, pixels
inline constexpr int kRowPitch = 16;    // 15-pixel row and a 1-pixel grid line

struct Row {
    std::string position; // "Q." + position
    std::string text;     // CP932, one line
    std::string mark;     // " X" when marked, else empty
};

// The question text as one grid line: without its first line when that line carries the image
// marker, other line breaks as single spaces, no leading or trailing breaks. CP932 bytes.
std::string questionText(const std::string& text);

// Rows 1..questionCount (clamped to 0..500) of the session.
std::vector<Row> rows(const SessionTable& session, const AnswerTable& answers, int questionCount);

// Height of a grid of `questionCount` question rows plus the hidden row 0.
int gridHeight(int questionCount);

// Vertical scroll position that shows row `row`: pages of 14 rows, 224 pixels a page. Row 0 and
// anything below it stay on the first page.
int scrollPosition(int row);

// Height the scrolled contents need so that the last page can turn over by a whole page: the
// grid without its hidden row, or whole pages, whichever is taller.
int contentHeight(int questionCount);

// The row a jump may go to: 1..questionCount, else 0 (no jump).
int jumpTarget(int selectedRow, int questionCount);

} // namespace review
