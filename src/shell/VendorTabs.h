#pragma once
// The rules of the course menu's tab strip: one tab per installed vendor.
#include "install/VendorTable.h"

#include <QList>
#include <QString>

// The tab strip: 77-pixel tabs from x = 84.
inline constexpr int kTabWidth = 77;
inline constexpr int kTabStripLeft = 84;

// The tab (1-based) a press at x in the strip hits: tab n spans (n-1)*77+84 < x < n*77+84.
// 0 when the press falls between or beyond the tabs.
int tabAt(int x, int tabCount);

// Where a press selects tab n (1-based), as the menu presses the strip when it opens.
inline int tabPressX(int n)
{
    return n * kTabWidth + 10;
}

// Where the course menu presses the strip when it opens. `defaultDir` is the stored tab
// number (empty, zero, negative or not a number: 1); `argument` the first command-line
// argument, which selects the vendor of that directory name in any case when it has a tab.
// A number beyond the tabs gives tab 1's press.
int initialPressX(const QString& defaultDir, const QString& argument, const QList<VendorInfo>& tabs);
