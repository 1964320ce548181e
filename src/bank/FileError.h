#pragma once
// What went wrong reading a file, and where: rendered as "FILE:LINE: what".
#include <QString>

struct FileError {
    QString file;
    int line = 0; // 1-based; 0 when the problem is not on one line (a missing file)
    QString message;

    QString text() const
    {
        return line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message)
                        : QStringLiteral("%1: %2").arg(file, message);
    }
};
