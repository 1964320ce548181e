#pragma once
// The mounted optical discs, where the companion training disc is looked for.
#include <QByteArray>
#include <QStringList>

inline constexpr int kMaxOpticalDrives = 25;

// The mount points (with a trailing "/") of the iso9660 and udf file systems in a mount table
// in the form of /proc/self/mounts, in mount order, at most kMaxOpticalDrives.
QStringList opticalDiscRoots(const QByteArray& mountTable);

// The same for this process's mount table; empty where there is none.
QStringList opticalDiscRoots();
