#include "tools/quarvel-tool/ToolFiles.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

void complain(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

int failed(const FileError& error)
{
    complain(error.text());
    return 1;
}

std::optional<FileError> readFile(const QString& path, std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileError{path, 0, QStringLiteral("cannot open the file (%1)").arg(file.errorString())};
    bytes = file.readAll().toStdString();
    return std::nullopt;
}

std::optional<FileError> writeFileWhole(const QString& path, std::string_view bytes)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
        !out.commit()) {
        return FileError{path, 0, QStringLiteral("cannot write the file (%1)").arg(out.errorString())};
    }
    return std::nullopt;
}
