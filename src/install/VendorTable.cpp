#include "install/VendorTable.h"

#include "bank/FileLookup.h"

#include <QFileInfo>

const QList<VendorInfo>& vendorTable()
{
    static const QList<VendorInfo> table{
        {QStringLiteral("oracle"),
         QStringLiteral("ORACLE MASTERに関する情報を表示します"),
         1,
         0x656699,
         0xC0C0C0,
         {QStringLiteral("-- Certified Developer"), QStringLiteral("-- Platinum"), QStringLiteral("-- Gold"),
          QStringLiteral("-- Silver")}},
        {QStringLiteral("turbolinux"),
         QStringLiteral("TURBO LINUXに関する情報を表示します"),
         2,
         0x0099FF,
         0xC0C0C0,
         {}},
        {QStringLiteral("cisco"), QStringLiteral("CISCOに関する情報を表示します"), 3, 0x838227, 0xC0C0C0, {}},
        {QStringLiteral("sun"), QStringLiteral("Sun認定技術者に関する情報を表示します"), 4, 0xEF849C, 0xC0C0C0, {}},
        {QStringLiteral("microsoft"), QStringLiteral("Microsoftに関する情報を表示します"), 5, 0xE68900, 0xC0C0C0, {}},
        {QStringLiteral("ibm"), QStringLiteral("IBM認定技術者に関する情報を表示します"), 6, 0xD766C0, 0xC0C0C0, {}},
        {QStringLiteral("japan"), QStringLiteral("情報処理試験に関する情報を表示します"), 7, 0x84CEF3, 0x000000, {}},
    };
    return table;
}

QString installedVendorDir(const QString& questionRoot, const QString& vendor)
{
    const QString path = filelookup::resolve(questionRoot + vendor);
    if (!QFileInfo(path).isDir())
        return {};
    return path + QLatin1Char('/');
}

QList<VendorInfo> installedVendors(const QString& questionRoot)
{
    QList<VendorInfo> tabs;
    for (const VendorInfo& vendor : vendorTable()) {
        if (!installedVendorDir(questionRoot, vendor.directory).isEmpty())
            tabs.append(vendor);
    }
    return tabs;
}
