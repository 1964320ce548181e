#include "ui/ImageLoader.h"

#include "bank/FileLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace ui
{
namespace
{

// Larger pictures than this are refused rather than allocated: no exhibit or question picture
// comes near it, and a broken header must not make the program ask for gigabytes.
constexpr unsigned kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 64ull * 1024 * 1024;

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;
};

[[noreturn]] void onJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// libjpeg reports a file that ends early only as a warning and fills the rest with grey; such a
// picture is broken for us. Other warnings (stray bytes between markers) leave a usable picture.
// Nothing is ever written to stderr.
void onJpegMessage(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF && !manager->truncated) {
        manager->truncated = true;
        (*info->err->format_message)(info, manager->message);
    }
}

// Decodes in memory; a broken file is an error, never an exit of the program. Nothing that is
// changed between setjmp and longjmp is read after the jump.
QImage decodeJpeg(const QByteArray& data, QString* error)
{
    jpeg_decompress_struct info{};
    JpegErrorManager manager{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onJpegError;
    manager.base.emit_message = onJpegMessage;
    QImage image;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = QString::fromLatin1(manager.message);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // Straight into Qt's 32-bit layout: no conversion when the picture is drawn.
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    const unsigned long long pixels = static_cast<unsigned long long>(info.output_width) * info.output_height;
    if (info.output_width > kMaxSide || info.output_height > kMaxSide || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = QStringLiteral("picture too large");
        return {};
    }
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = QStringLiteral("out of memory");
        return {};
    }
    while (info.output_scanline < info.output_height && !manager.truncated) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            break;
    }
    const bool complete = info.output_scanline == info.output_height && !manager.truncated;
    if (complete)
        jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (!complete || manager.truncated) {
        if (error)
            *error = manager.truncated ? QString::fromLatin1(manager.message) : QStringLiteral("incomplete picture");
        return {};
    }
    return image;
}

bool looksLikeJpeg(const QByteArray& data)
{
    return data.size() > 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8;
}

} // namespace

QImage decodeImage(const QByteArray& data, QString* error)
{
    if (looksLikeJpeg(data))
        return decodeJpeg(data, error);
    QImage image;
    if (!image.loadFromData(data) && error)
        *error = QStringLiteral("not a picture");
    return image;
}

QImage loadImage(const QString& path, QString* error)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1").arg(path);
        return {};
    }
    const QByteArray data = file.readAll();
    QString why;
    QImage image = decodeImage(data, &why);
    if (image.isNull() && error)
        *error = QStringLiteral("%1: %2").arg(path, why);
    return image;
}

QPixmap loadPicture(const QString& path, QString* error)
{
    return QPixmap::fromImage(loadImage(path, error));
}

QString pictureProblemText(const QString& path)
{
    return QStringLiteral("画像ファイルを読み込めませんでした。\n%1").arg(QDir::toNativeSeparators(path));
}

} // namespace ui
