#include "online/FileReplace.h"

#include <QFile>

#include <cstdio>

namespace online
{

std::optional<QString> replaceFile(const QString& from, const QString& to)
{
    // std::rename replaces an existing target atomically (QFile::rename refuses to).
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return QStringLiteral("%1: cannot be renamed to %2").arg(from, to);
    return std::nullopt;
}

} // namespace online
