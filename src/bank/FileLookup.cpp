#include "bank/FileLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace filelookup
{

QString resolve(const QString& path)
{
    QFileInfo info(path);
    if (info.exists())
        return path;
    QDir dir = info.dir();
    const QString wanted = info.fileName();
    if (wanted.isEmpty() || !dir.exists())
        return path;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return path;
}

bool exists(const QString& path)
{
    return QFileInfo::exists(resolve(path));
}

bool remove(const QString& path)
{
    return QFile::remove(resolve(path));
}

} // namespace filelookup
