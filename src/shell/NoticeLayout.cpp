#include "shell/NoticeLayout.h"

#include <algorithm>

namespace notice
{

Layout layoutFor(int titleWidth, int screenWidth)
{
    Layout layout;
    const int needed = kLeft + titleWidth + kRightMargin;
    const int widest = std::max(kWidth, screenWidth - kScreenMargin);
    layout.width = std::clamp(needed, kWidth, widest);
    if (needed > widest) {
        layout.titleLines = 2;
        layout.height += kLineHeight;
    }
    return layout;
}

} // namespace notice
