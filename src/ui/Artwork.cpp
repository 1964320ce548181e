#include "ui/Artwork.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <cstring>

// Every picture is drawn from the same few pieces: a theme colour, gradients that run from a
// lighter to a darker shade of it, one sans-serif face and thin light edges. The theme bands of a
// source picture lie in picture-number order, so a screen cuts band (picture - 1).
namespace ui::artwork
{
namespace
{

// The vendor table's colours, by picture number.
constexpr std::array<std::uint32_t, kThemes> kColour1{0x656699, 0x0099FF, 0x838227, 0xEF849C,
                                                      0xE68900, 0xD766C0, 0x84CEF3};
constexpr std::array<std::uint32_t, kThemes> kColour2{0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0,
                                                      0xC0C0C0, 0xC0C0C0, 0x000000};

constexpr int kTabWidth = 77;
constexpr int kTabHeight = 18;
constexpr int kTopBarHeight = 19;
constexpr int kBadgeSize = 18;
constexpr int kBigBadgeWidth = 129;
constexpr int kBigBadgeHeight = 42;
constexpr int kClockWidth = 118;
constexpr int kClockHeight = 120;

int themeIndex(int picture)
{
    return picture >= 1 && picture <= kThemes ? picture - 1 : 0;
}

QString tabCaption(int picture)
{
    static const std::array<const char*, kThemes> captions{"ORACLE",    "TURBOLINUX", "CISCO",   "SUN",
                                                           "MICROSOFT", "IBM",        "情報処理"};
    return QString::fromUtf8(captions[std::size_t(themeIndex(picture))]);
}

QColor base(int picture)
{
    return fromBgr(kColour1[std::size_t(themeIndex(picture))]);
}

// Text drawn on a theme colour: the theme's own text colour where it is dark on light (japan),
// otherwise white, which reads better than silver on the saturated colours.
QColor textOn(int picture)
{
    const std::uint32_t c2 = kColour2[std::size_t(themeIndex(picture))];
    return c2 == 0 ? QColor(24, 24, 24) : QColor(Qt::white);
}

bool isLight(const QColor& c)
{
    return c.red() * 299 + c.green() * 587 + c.blue() * 114 > 160 * 1000;
}

QFont face(int pixelSize, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont japaneseFace(int pixelSize, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// The largest face not above `pixelSize` in which `text` fits `width`.
QFont fitted(QFont f, const QString& text, int width)
{
    while (f.pixelSize() > 7 && QFontMetrics(f).horizontalAdvance(text) > width)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

QPixmap blank(int w, int h, QColor fill = Qt::black)
{
    QPixmap p(std::max(1, w), std::max(1, h));
    p.fill(fill);
    return p;
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPainterPath roundedTop(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + radius);
    path.quadTo(r.left(), r.top(), r.left() + radius, r.top());
    path.lineTo(r.right() - radius, r.top());
    path.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
    path.lineTo(r.right(), r.bottom());
    path.closeSubpath();
    return path;
}

void drawTab(QPainter& p, int picture, const QRect& cell, bool selected)
{
    const QColor c = base(picture);
    const QRectF shape = QRectF(cell).adjusted(1.5, 1.5, -1.5, 0.5);
    QLinearGradient g(shape.topLeft(), shape.bottomLeft());
    if (selected) {
        g.setColorAt(0, c.lighter(145));
        g.setColorAt(1, c);
    } else {
        g.setColorAt(0, c.darker(150));
        g.setColorAt(1, c.darker(260));
    }
    const QPainterPath path = roundedTop(shape, 4);
    p.fillPath(path, g);
    p.setPen(QPen(selected ? c.lighter(170) : c.darker(110), 1));
    p.drawPath(path);
    p.setPen(selected ? textOn(picture) : QColor(0xC0, 0xC0, 0xC0));
    const QString caption = tabCaption(picture);
    const bool japanese = picture == 7;
    p.setFont(fitted(japanese ? japaneseFace(11, true) : face(10, true), caption, cell.width() - 8));
    p.drawText(cell.adjusted(0, 1, 0, 0), Qt::AlignCenter, caption);
}

// A medal: a disc in the metal's colours with a fine rim and a highlight.
struct Metal {
    QColor light, dark, rim;
};

Metal metalOf(int badge)
{
    switch (badge) {
    case 1:
        return {QColor(0xF4, 0xF6, 0xF8), QColor(0x8C, 0x93, 0x9C), QColor(0x5A, 0x60, 0x68)}; // silver
    case 2:
        return {QColor(0xFF, 0xE8, 0x8A), QColor(0xC8, 0x8A, 0x10), QColor(0x7A, 0x52, 0x08)}; // gold
    case 3:
        return {QColor(0xFF, 0xFF, 0xFF), QColor(0x9F, 0xB8, 0xCF), QColor(0x4E, 0x66, 0x80)}; // platinum
    case 4:
        return {QColor(0xA8, 0xC8, 0xFF), QColor(0x23, 0x3D, 0xA8), QColor(0x12, 0x1E, 0x5C)}; // master
    case 5:
        return {QColor(0xFF, 0xFF, 0xFF), QColor(0xB8, 0xA4, 0xD8), QColor(0x5C, 0x46, 0x80)}; // platinum, second kind
    default:
        return {QColor(0x70, 0x70, 0x70), QColor(0x38, 0x38, 0x38), QColor(0x80, 0x80, 0x80)};
    }
}

void drawStar(QPainter& p, QPointF centre, qreal outer, const QColor& colour)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : outer * 0.45;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        star << centre + QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(star);
}

void drawMedal(QPainter& p, QPointF centre, qreal radius, int badge)
{
    const Metal m = metalOf(badge);
    QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    g.setColorAt(0, m.light);
    g.setColorAt(1, m.dark);
    p.setPen(QPen(m.rim, std::max<qreal>(1.0, radius / 7)));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    if (badge >= 1 && badge <= 4)
        drawStar(p, centre, radius * 0.55, m.rim);
    if (badge == 5) { // the second platinum kind carries a ring instead of a star
        p.setPen(QPen(m.rim, std::max<qreal>(1.0, radius / 6)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, radius * 0.45, radius * 0.45);
    }
}

QPixmap bigBadgeCell(int level, int picture)
{
    QPixmap out = blank(kBigBadgeWidth, kBigBadgeHeight);
    QPainter p(&out);
    prepare(p);
    const QColor c = base(picture);
    const QRectF plate(1.5, 1.5, kBigBadgeWidth - 3, kBigBadgeHeight - 3);
    QLinearGradient g(plate.topLeft(), plate.bottomLeft());
    g.setColorAt(0, c.darker(level == 0 ? 200 : 130));
    g.setColorAt(1, c.darker(level == 0 ? 400 : 300));
    p.setPen(QPen(level == 0 ? c.darker(150) : c.lighter(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(plate, 6, 6);
    if (level == 0) {
        p.setPen(c.lighter(120));
        p.setFont(face(13, true));
        p.drawText(plate.adjusted(0, -6, 0, 0), Qt::AlignCenter, QStringLiteral("Quarvel"));
        p.setPen(QColor(0x90, 0x90, 0x90));
        p.setFont(face(8));
        p.drawText(plate.adjusted(0, 18, 0, 0), Qt::AlignCenter, QStringLiteral("PRACTICE"));
        return out;
    }
    // Badge number of the level's own icon: level 3 shows the first platinum kind.
    static const std::array<int, 4> badgeOfLevel{1, 2, 3, 4};
    static const std::array<const char*, 4> names{"SILVER", "GOLD", "PLATINUM", "MASTER"};
    drawMedal(p, QPointF(22, 21), 14, badgeOfLevel[std::size_t(level - 1)]);
    p.setPen(QColor(0xD8, 0xD8, 0xD8));
    p.setFont(face(8));
    p.drawText(QRectF(42, 5, 84, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("GRADE"));
    const QString name = QString::fromLatin1(names[std::size_t(level - 1)]);
    p.setPen(metalOf(badgeOfLevel[std::size_t(level - 1)]).light);
    p.setFont(fitted(face(14, true), name, 82));
    p.drawText(QRectF(42, 16, 84, 20), Qt::AlignLeft | Qt::AlignVCenter, name);
    for (int s = 0; s < level; ++s)
        drawStar(p, QPointF(118 - s * 9, 9), 3.5, QColor(0xFF, 0xD8, 0x40));
    return out;
}

} // namespace

std::uint32_t themeColour1(int picture)
{
    return kColour1[std::size_t(themeIndex(picture))];
}

std::uint32_t themeColour2(int picture)
{
    return kColour2[std::size_t(themeIndex(picture))];
}

QPixmap tabStrip()
{
    QPixmap out = blank(kTabWidth * kThemes, kTabHeight * 2);
    QPainter p(&out);
    prepare(p);
    for (int t = 1; t <= kThemes; ++t) {
        drawTab(p, t, QRect((t - 1) * kTabWidth, 0, kTabWidth, kTabHeight), false);
        drawTab(p, t, QRect((t - 1) * kTabWidth, kTabHeight, kTabWidth, kTabHeight), true);
    }
    return out;
}

QPixmap topBar(int width)
{
    QPixmap out = blank(width, kTopBarHeight * kThemes);
    QPainter p(&out);
    prepare(p);
    for (int t = 1; t <= kThemes; ++t) {
        const QColor c = base(t);
        const QRect band(0, (t - 1) * kTopBarHeight, width, kTopBarHeight);
        QLinearGradient g(band.topLeft(), band.bottomLeft());
        g.setColorAt(0, c);
        g.setColorAt(1, c.darker(170));
        p.fillRect(band, g);
        p.setPen(c.lighter(160));
        p.drawLine(band.left(), band.top(), band.right(), band.top());
        p.setPen(c.darker(300));
        p.drawLine(band.left(), band.bottom(), band.right(), band.bottom());
        QColor text = textOn(t);
        text.setAlpha(200);
        p.setPen(text);
        p.setFont(face(10, true));
        p.drawText(band.adjusted(0, 0, -12, 0), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Quarvel  \u2014  IT Certification Practice"));
    }
    return out;
}

QPixmap leftBarBand(int width, int height, int picture)
{
    QPixmap out = blank(width, height);
    QPainter p(&out);
    prepare(p);
    const QColor c = base(picture);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, c.darker(110));
    g.setColorAt(0.6, c.darker(250));
    g.setColorAt(1, QColor(0x08, 0x08, 0x08));
    p.fillRect(out.rect(), g);
    QLinearGradient edge(0, 0, 0, height);
    edge.setColorAt(0, c.lighter(170));
    edge.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(width - 2, 0, 2, height), edge);
    // A row of small diamonds down the bar, fading with the gradient.
    if (width >= 10) {
        const qreal cx = (width - 2) / 2.0;
        for (int y = 16, i = 0; y < height - 8; y += 22, ++i) {
            QColor d = c.lighter(150);
            d.setAlpha(std::max(0, 200 - i * 12));
            p.setPen(Qt::NoPen);
            p.setBrush(d);
            const qreal r = std::min<qreal>(4, width / 5.0);
            p.drawPolygon(QPolygonF{{cx, y - r}, {cx + r, qreal(y)}, {cx, y + r}, {cx - r, qreal(y)}});
        }
    }
    return out;
}

QPixmap leftBar(int width, int height)
{
    QPixmap out = blank(width * kThemes, height);
    QPainter p(&out);
    for (int t = 1; t <= kThemes; ++t)
        p.drawPixmap((t - 1) * width, 0, leftBarBand(width, height, t));
    return out;
}

QPixmap infoButtonBand(int width, int height, int picture)
{
    QPixmap out = blank(width, height, Qt::transparent);
    QPainter p(&out);
    prepare(p);
    const QColor c = base(picture);
    const QRectF shape = QRectF(out.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(shape.topLeft(), shape.bottomLeft());
    g.setColorAt(0, c.lighter(135));
    g.setColorAt(0.5, c);
    g.setColorAt(1, c.darker(170));
    p.setPen(QPen(c.lighter(170), 1));
    p.setBrush(g);
    const qreal radius = std::min<qreal>(6, height / 3.0);
    p.drawRoundedRect(shape, radius, radius);
    // The "i" sign: a disc in the text colour with the letter cut in the theme colour.
    const qreal d = std::min<qreal>(height - 8, 20);
    const QRectF disc(6, (height - d) / 2.0, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(textOn(picture));
    p.drawEllipse(disc);
    p.setPen(c.darker(130));
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), -1, QFont::Bold));
    QFont serif = p.font();
    serif.setPixelSize(int(d * 0.75));
    serif.setItalic(true);
    p.setFont(serif);
    p.drawText(disc, Qt::AlignCenter, QStringLiteral("i"));
    const QString caption = picture == 7 ? QStringLiteral("試験情報") : tabCaption(picture) + QStringLiteral(" 情報");
    const QRectF text(disc.right() + 4, 0, width - disc.right() - 8, height);
    p.setPen(textOn(picture));
    p.setFont(fitted(japaneseFace(12, true), caption, int(text.width())));
    p.drawText(text, Qt::AlignCenter, caption);
    return out;
}

QPixmap infoButton(int width, int height)
{
    QPixmap out = blank(width, height * kThemes, Qt::transparent);
    QPainter p(&out);
    for (int t = 1; t <= kThemes; ++t)
        p.drawPixmap(0, (t - 1) * height, infoButtonBand(width, height, t));
    return out;
}

QPixmap badgeIcon(int badge, bool selected)
{
    QPixmap out = blank(kBadgeSize, kBadgeSize);
    QPainter p(&out);
    prepare(p);
    if (selected) {
        // The selected row's icon sits on a warm lit square, seen at a glance in a black list.
        QLinearGradient g(0, 0, 0, kBadgeSize);
        g.setColorAt(0, QColor(0xFF, 0xD8, 0x50));
        g.setColorAt(1, QColor(0xE0, 0x78, 0x10));
        p.setPen(QPen(QColor(0xFF, 0xF0, 0xB0), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(0.5, 0.5, kBadgeSize - 1, kBadgeSize - 1), 3, 3);
    }
    const QPointF centre(kBadgeSize / 2.0, kBadgeSize / 2.0);
    if (badge < 1 || badge > 5) {
        p.setPen(QPen(selected ? QColor(0x60, 0x38, 0x08) : QColor(0x70, 0x70, 0x70), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 4.5, 4.5);
        return out;
    }
    drawMedal(p, centre, 6.5, badge);
    return out;
}

QPixmap bigBadgeSource()
{
    QPixmap out = blank(kBigBadgeWidth * 4, kBigBadgeHeight * kThemes);
    QPainter p(&out);
    for (int t = 1; t <= kThemes; ++t)
        for (int level = 1; level <= 4; ++level)
            p.drawPixmap((level - 1) * kBigBadgeWidth, (t - 1) * kBigBadgeHeight, bigBadgeCell(level, t));
    return out;
}

QPixmap bigBadge(int level, int picture)
{
    if (level < 1 || level > 4)
        return bigBadgeCell(0, picture);
    return bigBadgeCell(level, picture);
}

QPixmap clockFace(int picture)
{
    QPixmap out = blank(kClockWidth, kClockHeight);
    QPainter p(&out);
    prepare(p);
    const QColor c = base(picture);
    // The exam screen draws its seconds hand from (59, 53), 42 pixels long.
    const QPointF centre(59, 53);
    QRadialGradient ring(centre - QPointF(12, 12), 70);
    ring.setColorAt(0, c.lighter(150));
    ring.setColorAt(1, c.darker(200));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(centre, 52, 52);
    QRadialGradient dial(centre - QPointF(10, 14), 60);
    dial.setColorAt(0, Qt::white);
    dial.setColorAt(1, QColor(0xE2, 0xE4, 0xE8));
    p.setBrush(dial);
    p.setPen(QPen(c.darker(250), 1));
    p.drawEllipse(centre, 47, 47);
    for (int s = 0; s < 60; ++s) {
        const qreal a = s * M_PI / 30;
        const bool major = s % 5 == 0;
        const qreal inner = major ? 39 : 42;
        p.setPen(QPen(major ? QColor(0x30, 0x30, 0x30) : QColor(0x90, 0x90, 0x90), major ? 2 : 1));
        p.drawLine(centre + QPointF(std::sin(a) * inner, -std::cos(a) * inner),
                   centre + QPointF(std::sin(a) * 45, -std::cos(a) * 45));
    }
    p.setFont(face(9, true));
    p.setPen(c.darker(220));
    const std::array<std::pair<int, const char*>, 4> numerals{{{0, "60"}, {15, "15"}, {30, "30"}, {45, "45"}}};
    for (const auto& [s, text] : numerals) {
        const qreal a = s * M_PI / 30;
        const QPointF at = centre + QPointF(std::sin(a) * 30, -std::cos(a) * 30);
        p.drawText(QRectF(at.x() - 10, at.y() - 7, 20, 14), Qt::AlignCenter, QString::fromLatin1(text));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c.darker(200));
    p.drawEllipse(centre, 3, 3);
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.setFont(face(9, true));
    p.drawText(QRectF(0, 106, kClockWidth, 14), Qt::AlignCenter, QStringLiteral("TIME"));
    return out;
}

QPixmap clockFaces()
{
    QPixmap out = blank(kClockWidth, kClockHeight * kThemes);
    QPainter p(&out);
    for (int t = 1; t <= kThemes; ++t)
        p.drawPixmap(0, (t - 1) * kClockHeight, clockFace(t));
    return out;
}

QPixmap titlePicture()
{
    QPixmap out = blank(400, 300);
    QPainter p(&out);
    prepare(p);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(0x0C, 0x16, 0x30));
    sky.setColorAt(0.7, QColor(0x04, 0x06, 0x10));
    sky.setColorAt(1, Qt::black);
    p.fillRect(out.rect(), sky);

    // Fine grid lines, like squared exam paper in the dark.
    p.setPen(QPen(QColor(0x30, 0x48, 0x80, 60), 1));
    for (int x = 0; x < 400; x += 20)
        p.drawLine(x, 0, x, 230);
    for (int y = 0; y < 230; y += 20)
        p.drawLine(0, y, 400, y);

    // The mark: a ring with a check stroke as the tail of the Q.
    const QPointF centre(200, 92);
    QConicalGradient ringColours(centre, 90);
    for (int t = 0; t < kThemes; ++t)
        ringColours.setColorAt(qreal(t) / kThemes, base(t + 1).lighter(115));
    ringColours.setColorAt(1, base(1).lighter(115));
    p.setPen(QPen(QBrush(ringColours), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 46, 46);
    QPainterPath check;
    check.moveTo(centre + QPointF(-4, 22));
    check.lineTo(centre + QPointF(14, 42));
    check.lineTo(centre + QPointF(60, -8));
    p.setPen(QPen(QColor(0xFF, 0xD0, 0x40), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(check);

    QFont title = face(40, true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(title);
    QLinearGradient letters(0, 160, 0, 205);
    letters.setColorAt(0, Qt::white);
    letters.setColorAt(1, QColor(0xA8, 0xB8, 0xD8));
    p.setPen(QPen(QBrush(letters), 1));
    p.drawText(QRectF(0, 150, 400, 56), Qt::AlignCenter, QStringLiteral("Quarvel"));

    p.setFont(japaneseFace(15, true));
    p.setPen(QColor(0xE8, 0xE8, 0xE8));
    p.drawText(QRectF(0, 206, 400, 24), Qt::AlignCenter, QStringLiteral("IT資格 模擬試験トレーニング"));

    // The seven theme colours as a band under the title.
    const int bandTop = 246;
    const qreal w = 320.0 / kThemes;
    for (int t = 0; t < kThemes; ++t) {
        QLinearGradient g(0, bandTop, 0, bandTop + 6);
        g.setColorAt(0, base(t + 1).lighter(130));
        g.setColorAt(1, base(t + 1).darker(130));
        p.fillRect(QRectF(40 + t * w, bandTop, w - 2, 6), g);
    }
    p.setFont(face(10));
    p.setPen(QColor(0x90, 0x98, 0xA8));
    p.drawText(QRectF(0, 258, 400, 18), Qt::AlignCenter, QStringLiteral("Practice  \u00b7  Review  \u00b7  Pass"));
    return out;
}

#ifndef QUARVEL_NO_SHIPPED_TITLE
extern const unsigned char kShippedTitlePixels[];
extern const std::size_t kShippedTitlePixelsSize;

QPixmap shippedTitlePicture()
{
    constexpr int kWidth = 400, kHeight = 300;
    const QByteArray pixels = qUncompress(kShippedTitlePixels, qsizetype(kShippedTitlePixelsSize));
    if (pixels.size() != qsizetype(kWidth) * kHeight * 4)
        return titlePicture();
    // Copied into an image of its own: a pixmap may keep the image it is made from, and the
    // unpacked bytes end here.
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        std::memcpy(image.scanLine(y), pixels.constData() + qsizetype(y) * kWidth * 4, size_t(kWidth) * 4);
    return QPixmap::fromImage(std::move(image));
}
#endif

QPixmap button(const QString& caption, int width, int height, std::uint32_t colourBgr, bool greyed)
{
    // Outside the rounded shape the screen's own face shows through.
    QPixmap out = blank(width, height, Qt::transparent);
    QPainter p(&out);
    prepare(p);
    const QColor c = greyed ? QColor(0x6A, 0x6A, 0x6A) : fromBgr(colourBgr);
    const QRectF shape = QRectF(out.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(shape.topLeft(), shape.bottomLeft());
    g.setColorAt(0, c.lighter(greyed ? 115 : 140));
    g.setColorAt(0.48, c);
    g.setColorAt(0.52, c.darker(115));
    g.setColorAt(1, c.darker(greyed ? 140 : 180));
    p.setPen(QPen(greyed ? QColor(0x80, 0x80, 0x80) : c.lighter(170), 1));
    p.setBrush(g);
    const qreal radius = std::min<qreal>(6, height / 3.0);
    p.drawRoundedRect(shape, radius, radius);
    QColor text = greyed ? QColor(0xA8, 0xA8, 0xA8) : (isLight(c) ? QColor(24, 24, 24) : QColor(Qt::white));
    const QFont font = fitted(japaneseFace(std::clamp(height / 2 - 1, 9, 16), true), caption, width - 8);
    p.setFont(font);
    if (!greyed) { // a soft shadow under the caption
        p.setPen(isLight(c) ? QColor(255, 255, 255, 90) : QColor(0, 0, 0, 110));
        p.drawText(out.rect().translated(1, 1), Qt::AlignCenter, caption);
    }
    p.setPen(text);
    p.drawText(out.rect(), Qt::AlignCenter, caption);
    return out;
}

} // namespace ui::artwork
