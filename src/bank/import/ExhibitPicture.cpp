#include "bank/import/ExhibitPicture.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

std::optional<ExhibitPicture> exhibitPicture(const QByteArray& bytes)
{
    // JPEG and bitmaps are kept byte for byte; their header must at least read as a picture.
    const bool jpeg = bytes.startsWith("\xFF\xD8\xFF");
    if (jpeg || bytes.startsWith("BM")) {
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, jpeg ? "JPEG" : "BMP");
        if (!reader.canRead() || reader.size().isEmpty())
            return std::nullopt;
        return ExhibitPicture{bytes, jpeg ? QStringLiteral("jpg") : QStringLiteral("bmp")};
    }
    const char* format = bytes.startsWith("\x89PNG\r\n\x1A\n")                        ? "PNG"
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
