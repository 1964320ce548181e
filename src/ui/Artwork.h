#pragma once
// The program's own pictures, drawn in code: the vendor-themed strips (tab strip, top bar,
// left bar, info button, badges, clock faces) and labelled picture buttons. One look for all.
#include <QColor>
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace ui {

// A colour given as 0x00BBGGRR.
inline QColor fromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace artwork {

inline constexpr int kThemes = 7;

// Tab strip source: 7 columns of 77 pixels (one per picture number); row 0 (18 high) the
// normal look, row 18 (18 high) the selected look. 539 x 36.
QPixmap tabStrip();
// Top bar source: one band of `width` x 19 per picture number, stacked (width x 133).
QPixmap topBar(int width);
// Left bar source: one band of `width` x `height` per picture number, side by side.
QPixmap leftBar(int width, int height);
// Information button source: one band per picture number, stacked.
QPixmap infoButton(int width, int height);
// Badge icons, 18 x 18: badge 0 ("none") to 5, ordinary or selected look.
QPixmap badgeIcon(int badge, bool selected);
// Large badge source: columns of 129 per level 1-4, rows of 42 per picture number (516 x 294).
QPixmap bigBadgeSource();
// Clock faces: 118 x 840, one 118 x 120 frame per picture number.
QPixmap clockFaces();
// The title picture of the opening screen, 400 x 300.
QPixmap titlePicture();
// A labelled picture button in the theme colour; `greyed` for the disabled look.
QPixmap button(const QString& caption, int width, int height, std::uint32_t colourBgr = 0x656699, bool greyed = false);

} // namespace artwork
} // namespace ui
