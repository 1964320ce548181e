#include "shell/VendorTabs.h"

int tabAt(int x, int tabCount)
{
    if (x <= kTabStripLeft)
        return 0;
    // Tab n's open interval ends where tab n + 1's begins, so that boundary pixel hits none.
    const int offset = x - kTabStripLeft;
    if (offset % kTabWidth == 0)
        return 0;
    const int n = offset / kTabWidth + 1;
    return n <= tabCount ? n : 0;
}

int initialPressX(const QString& defaultDir, const QString& argument, const QList<VendorInfo>& tabs)
{
    bool ok = false;
    int current = defaultDir.trimmed().toInt(&ok);
    // A stored value that names no tab at all would leave the menu without a vendor.
    if (!ok || current < 1)
        current = 1;
    if (!argument.isEmpty()) {
        const QString wanted = argument.toLower();
        for (int n = 1; n <= tabs.size(); ++n) {
            if (tabs.at(n - 1).directory == wanted)
                current = n;
        }
    }
    if (current > tabs.size())
        return 116;
    return tabPressX(current);
}
