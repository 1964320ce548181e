#pragma once
// The exam start notice keeps its 400 x 130 size for ordinary titles; a long test title widens it
// (within the screen), and a title longer than the screen allows wraps onto a second line.

namespace notice
{

inline constexpr int kWidth = 400;
inline constexpr int kHeight = 130;
inline constexpr int kLeft = 30;         // labels' left edge
inline constexpr int kRightMargin = 10;  // kept free right of the widest label
inline constexpr int kLineHeight = 24;   // one label line
inline constexpr int kScreenMargin = 40; // kept free at the screen's edges

struct Layout {
    int width = kWidth;
    int height = kHeight;
    int titleLines = 1; // 1, or 2 when the title wraps
};

// `titleWidth`: the title label's text width in pixels; `screenWidth`: the available width.
Layout layoutFor(int titleWidth, int screenWidth);

} // namespace notice
