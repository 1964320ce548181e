#pragma once
// Loads a picture file for an image control: JPEG through libjpeg, bitmaps and PNG through Qt.
// The name is matched without regard to case. A missing or broken file gives a null pixmap.
#include <QImage>
#include <QPixmap>
#include <QString>

namespace ui {

QImage loadImage(const QString& path, QString* error = nullptr);
QPixmap loadPicture(const QString& path, QString* error = nullptr);

} // namespace ui
