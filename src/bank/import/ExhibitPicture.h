#pragma once
// Pictures embedded in imported questions, in the forms the program shows: JPEG or bitmap.
#include <QByteArray>
#include <QString>
#include <optional>

struct ExhibitPicture {
    QByteArray bytes;
    QString extension; // "jpg" or "bmp"
};

// JPEG and BMP pass as they are; PNG and GIF become a bitmap. Anything else, or a picture that does
// not decode, gives nothing.
std::optional<ExhibitPicture> exhibitPicture(const QByteArray& bytes);
