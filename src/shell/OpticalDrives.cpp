#include "shell/OpticalDrives.h"

#include <QFile>

namespace
{
// The mount table writes blanks, tabs, newlines and backslashes in paths as \ooo.
QByteArray unescapeMountPath(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = digits.size() == 3;
            for (char d : digits)
                ok = ok && d >= '0' && d <= '7';
            if (ok) {
                out.append(char(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}
} // namespace

QStringList opticalDiscRoots(const QByteArray& mountTable)
{
    QStringList roots;
    for (const QByteArray& line : mountTable.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        const QByteArray type = fields.at(2);
        if (type != "iso9660" && type != "udf")
            continue;
        QString root = QFile::decodeName(unescapeMountPath(fields.at(1)));
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        roots.append(root);
        if (roots.size() == kMaxOpticalDrives)
            break;
    }
    return roots;
}

QStringList opticalDiscRoots()
{
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    // A proc file reports no size: read until the end.
    return opticalDiscRoots(mounts.readAll());
}
