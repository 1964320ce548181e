#include "online/OnlineVendors.h"

#include "install/VendorTable.h"

namespace online
{

QString vendorLabel(const QString& directory)
{
    static const QList<std::pair<QString, QString>> labels = {
        {QStringLiteral("oracle"), QStringLiteral("Oracle")},
        {QStringLiteral("turbolinux"), QStringLiteral("Turbo Linux")},
        {QStringLiteral("cisco"), QStringLiteral("Cisco")},
        {QStringLiteral("sun"), QStringLiteral("Sun")},
        {QStringLiteral("microsoft"), QStringLiteral("Microsoft")},
        {QStringLiteral("ibm"), QStringLiteral("IBM")},
        {QStringLiteral("japan"), QStringLiteral("情報処理")},
    };
    for (const auto& [dir, label] : labels)
        if (dir.compare(directory, Qt::CaseInsensitive) == 0)
            return label;
    return directory;
}

QList<VendorChoice> vendorChoices(const QString& questionRoot)
{
    QList<VendorChoice> choices{{QString(), QStringLiteral("全部")}};
    for (const VendorInfo& vendor : installedVendors(questionRoot))
        choices.append({vendor.directory, vendorLabel(vendor.directory)});
    return choices;
}

int choiceIndex(const QList<VendorChoice>& choices, const QString& directory)
{
    for (int i = 1; i < choices.size(); ++i)
        if (choices.at(i).directory.compare(directory, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

} // namespace online
