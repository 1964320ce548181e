#pragma once
// The program's own pictures, drawn in code: the vendor-themed strips (tab strip, top bar,
// left bar, info button, badges, clock faces) and labelled picture buttons. One look for all.
#include <QColor>
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace ui
{

// A colour given as 0x00BBGGRR.
inline QColor fromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace artwork
{

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
// The same picture as drawn when the program was built (titlePicture() when those pixels are
// missing or unreadable).
QPixmap shippedTitlePicture();
// A labelled picture button in the theme colour; `greyed` for the disabled look.
QPixmap button(const QString& caption, int width, int height, std::uint32_t colourBgr = 0x656699, bool greyed = false);

// The two colours (0x00BBGGRR) the pictures of theme `picture` (1-7) are drawn in; they equal the
// vendor table's colours. A number out of range is taken as theme 1.
std::uint32_t themeColour1(int picture);
std::uint32_t themeColour2(int picture);
// The 129 x 42 large badge of `level` (1-4) in theme `picture`, cut from bigBadgeSource();
// level 0 (no listed test carries a badge) gives a plain plate in the theme colours.
QPixmap bigBadge(int level, int picture);
// One theme's band of a side-by-side or stacked source (leftBar, infoButton, topBar, clockFaces).
QPixmap leftBarBand(int width, int height, int picture);
QPixmap infoButtonBand(int width, int height, int picture);
QPixmap clockFace(int picture);

} // namespace artwork
} // namespace ui
