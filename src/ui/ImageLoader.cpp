#include "ui/ImageLoader.h"

#include "bank/FileLookup.h"

#include <QFile>
#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace ui {
namespace {

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Decodes in memory; a broken file is an error, never an exit of the program.
QImage decodeJpeg(const QByteArray& data, QString* error)
{
    jpeg_decompress_struct info{};
    JpegErrorManager manager{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onJpegError;
    QImage image;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = QString::fromLatin1(manager.message);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

bool looksLikeJpeg(const QByteArray& data)
{
    return data.size() > 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8;
}

} // namespace

QImage loadImage(const QString& path, QString* error)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1").arg(path);
        return {};
    }
    const QByteArray data = file.readAll();
    if (looksLikeJpeg(data))
        return decodeJpeg(data, error);
    QImage image;
    if (!image.loadFromData(data) && error)
        *error = QStringLiteral("unreadable picture %1").arg(path);
    return image;
}

QPixmap loadPicture(const QString& path, QString* error)
{
    return QPixmap::fromImage(loadImage(path, error));
}

} // namespace ui
