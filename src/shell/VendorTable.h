#pragma once
// The vendors the course menu knows, in tab order, and the rules of its tab strip.
#include "shell/CourseList.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

struct VendorInfo {
    QString directory;  // "oracle", ... : the directory below QDAT/ and HIST/
    QString infoHint;   // hint of the vendor information button
    int picture = 1;    // selects the vendor's band in every themed picture
    std::uint32_t colour1 = 0;
    std::uint32_t colour2 = 0;
    QStringList legend; // texts of the four legend labels; empty: no legend

    VendorTheme theme() const { return {directory, picture, colour1, colour2}; }
};

// The seven vendors in table order.
const QList<VendorInfo>& vendorTable();

// The tab strip: 77-pixel tabs from x = 84.
inline constexpr int kTabWidth = 77;
inline constexpr int kTabStripLeft = 84;

// The vendor directory of the installation, matched without regard to case: `questionRoot`
// + vendor + "/" as it exists on disk, or empty when there is no such directory.
QString installedVendorDir(const QString& questionRoot, const QString& vendor);

// The vendors that get a tab: those whose directory exists below `questionRoot` (".../QDAT/"),
// in table order. Tab n is element n - 1.
QList<VendorInfo> installedVendors(const QString& questionRoot);

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
