#pragma once
// What went wrong reading a file, and where: rendered as "FILE:LINE: what" for authors, and in
// Japanese for the program's message boxes.
#include <QString>

struct FileError {
    FileError() = default;
    FileError(QString file, int line, QString message, QString messageJa = {})
        : file(std::move(file)), line(line), message(std::move(message)), messageJa(std::move(messageJa))
    {
    }

    QString file;
    int line = 0;      // 1-based; 0 when the problem is not on one line (a missing file)
    QString message;   // English, for authors (quarvel-tool)
    QString messageJa; // the same in Japanese, for the program's own messages; empty: not given

    // As the program shows it: "FILE 12 行目: what" in Japanese (the English text where a reader
    // gives no Japanese one).
    QString japaneseText() const
    {
        const QString& what = messageJa.isEmpty() ? message : messageJa;
        return line > 0 ? QStringLiteral("%1 %2 行目: %3").arg(file).arg(line).arg(what)
                        : QStringLiteral("%1: %2").arg(file, what);
    }

    QString text() const
    {
        return line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message)
                        : QStringLiteral("%1: %2").arg(file, message);
    }
};
