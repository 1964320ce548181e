#pragma once
// The vendor choice list of the update and sync screens: "全部" first, then every vendor whose
// directory exists below QDAT/, in the vendor table's order, with its display label.
#include <QList>
#include <QString>

namespace online
{

struct VendorChoice {
    QString directory; // empty for "全部"
    QString label;
};

// The display label of a vendor directory ("oracle" -> "Oracle"); the name itself when unknown.
QString vendorLabel(const QString& directory);

// "全部" followed by the installed vendors of `questionRoot` (".../QDAT/").
QList<VendorChoice> vendorChoices(const QString& questionRoot);

// Index in `choices` of the vendor `directory` (any case); 0 ("全部") when it is not there.
int choiceIndex(const QList<VendorChoice>& choices, const QString& directory);

} // namespace online
