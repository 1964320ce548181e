#include "bank/import/ExhibitPicture.h"

#include <QBuffer>
#include <QImage>

std::optional<ExhibitPicture> exhibitPicture(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return ExhibitPicture{bytes, QStringLiteral("jpg")};
    if (bytes.startsWith("BM") && bytes.size() > 54)
        return ExhibitPicture{bytes, QStringLiteral("bmp")};
    const char* format = bytes.startsWith("\x89PNG\r\n\x1A\n") ? "PNG"
                         : (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) ? "GIF"
                                                                                        : nullptr;
    if (!format)
        return std::nullopt;
    QImage image;
    if (!image.loadFromData(bytes, format) || image.isNull())
        return std::nullopt;
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return std::nullopt;
    return ExhibitPicture{bmp, QStringLiteral("bmp")};
}
