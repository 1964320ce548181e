#pragma once
// Loads a picture file for an image control: JPEG through libjpeg, bitmaps and PNG through Qt.
// The name is matched without regard to case. A missing or broken file (a truncated JPEG, a file
// that is no picture, an absurd size in a header) gives a null image and a reason; it never
// ends the program.
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace ui
{

QImage loadImage(const QString& path, QString* error = nullptr);
QPixmap loadPicture(const QString& path, QString* error = nullptr);
// The same for bytes already in memory.
QImage decodeImage(const QByteArray& data, QString* error = nullptr);

// The text of the message box that reports a picture that could not be loaded; it names the file.
QString pictureProblemText(const QString& path);

} // namespace ui
