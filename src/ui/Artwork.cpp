#include "ui/Artwork.h"

#include <QPainter>

// Plain first versions; the themed artwork replaces them.
namespace ui::artwork {
namespace {
QPixmap filled(int w, int h, QColor colour)
{
    QPixmap p(w, h);
    p.fill(colour);
    return p;
}
} // namespace

QPixmap tabStrip() { return filled(539, 36, Qt::darkGray); }
QPixmap topBar(int width) { return filled(width, 19 * kThemes, Qt::darkBlue); }
QPixmap leftBar(int width, int height) { return filled(width * kThemes, height, Qt::darkBlue); }
QPixmap infoButton(int width, int height) { return filled(width, height * kThemes, Qt::gray); }
QPixmap badgeIcon(int, bool selected) { return filled(18, 18, selected ? Qt::yellow : Qt::gray); }
QPixmap bigBadgeSource() { return filled(516, 294, Qt::darkYellow); }
QPixmap clockFaces() { return filled(118, 840, Qt::white); }
QPixmap titlePicture() { return filled(400, 300, Qt::darkBlue); }

QPixmap button(const QString& caption, int width, int height, std::uint32_t colourBgr, bool greyed)
{
    QPixmap p = filled(width, height, greyed ? QColor(Qt::gray) : fromBgr(colourBgr));
    QPainter painter(&p);
    painter.setPen(Qt::white);
    painter.drawText(p.rect(), Qt::AlignCenter, caption);
    return p;
}

} // namespace ui::artwork
