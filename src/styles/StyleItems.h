#pragma once
// Geometry and item rules shared by the panel and connector styles: points and rectangles in
// pixels of the question picture, and data items that begin with four coordinates.
#include <optional>
#include <string>
#include <string_view>

namespace styleitems
{

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// (x1, y1) the top-left corner, (x2, y2) the bottom-right one, as the data writes them.
struct Box {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int width() const { return x2 - x1; }
    int height() const { return y2 - y1; }
    friend bool operator==(const Box&, const Box&) = default;
};

// True when `p` lies on a w x h piece whose top-left corner is `at` (as a control of that size
// receives the pointer: the right and bottom edges lie outside).
inline bool pieceContains(Point at, int w, int h, Point p)
{
    return p.x >= at.x && p.x < at.x + w && p.y >= at.y && p.y < at.y + h;
}

// A piece of question data that cannot be used: `what` is our own text (UTF-8), `item` the
// offending data item as written (CP932 bytes).
struct Problem {
    std::string what;
    std::string item;
};

// An item of exactly four decimal integers "x1,y1,x2,y2" (the last runs to the item's end).
std::optional<Box> parseBox(std::string_view item);

// An item "x1,y1,x2,y2,rest": four decimal integers and everything after the fourth ",", commas
// included (empty when there is no fourth ",").
struct LabelledBox {
    Box box;
    std::string rest;
};
std::optional<LabelledBox> parseLabelledBox(std::string_view item);

} // namespace styleitems
