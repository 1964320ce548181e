#pragma once
// File names in the installation are matched without regard to case (".QDF", "SEISEKI.XBM"),
// as on the platform the data files were written for.
#include <QString>

namespace filelookup
{

// The existing path whose last component equals that of `path` ignoring case (exact match
// preferred), in the same directory; `path` itself when nothing matches.
QString resolve(const QString& path);

// True when a file (or directory) of that name exists, ignoring case of the last component.
bool exists(const QString& path);

// Deletes the file found by resolve(); false when none existed or it could not be removed.
bool remove(const QString& path);

} // namespace filelookup
