#pragma once
// The vendors an installation may hold, in tab order, and which of them are installed.
#include "install/CourseList.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

struct VendorInfo {
    QString directory; // "oracle", ... : the directory below QDAT/ and HIST/
    QString infoHint;  // hint of the vendor information button
    int picture = 1;   // selects the vendor's band in every themed picture
    std::uint32_t colour1 = 0;
    std::uint32_t colour2 = 0;
    QStringList legend; // texts of the four legend labels; empty: no legend

    VendorTheme theme() const { return {directory, picture, colour1, colour2}; }
};

// The seven vendors in table order.
const QList<VendorInfo>& vendorTable();

// The vendor directory of the installation, matched without regard to case: `questionRoot`
// + vendor + "/" as it exists on disk, or empty when there is no such directory.
QString installedVendorDir(const QString& questionRoot, const QString& vendor);

// The vendors that get a tab: those whose directory exists below `questionRoot` (".../QDAT/"),
// in table order. Tab n is element n - 1.
QList<VendorInfo> installedVendors(const QString& questionRoot);
