#include "results/screens/TrendChartPicture.h"

#include <QFont>
#include <QPainter>

namespace
{

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);

void text(QPainter& p, int x, int y, const QString& s, const QColor& colour)
{
    p.setPen(colour);
    p.drawText(QRect(x, y, 200, 20), Qt::AlignLeft | Qt::AlignTop, s);
}

void disc(QPainter& p, ChartPoint at, int radius, const QColor& pen, const QColor& fill)
{
    p.setPen(pen);
    p.setBrush(fill);
    p.drawEllipse(QRect(at.x - radius, at.y - radius, 2 * radius, 2 * radius));
}

void line(QPainter& p, const std::array<ChartPoint, kTrendPoints>& points, const QColor& colour)
{
    p.setPen(colour);
    for (size_t k = 1; k < points.size(); ++k)
        p.drawLine(points[k - 1].x, points[k - 1].y, points[k].x, points[k].y);
    for (size_t k = 0; k + 1 < points.size(); ++k)
        disc(p, points[k], 2, colour, colour);
    disc(p, points.back(), 4, colour, Qt::black); // the current attempt: a ring
    disc(p, points.back(), 2, colour, colour);
}

} // namespace

QPixmap drawTrendChart(const TrendChart& chart)
{
    QPixmap picture(kTrendWidth, kTrendHeight);
    picture.fill(Qt::black);
    QPainter p(&picture);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(10);
    p.setFont(font);

    p.setPen(kSilver);
    p.drawLine(kTrendLeft, kTrendTop, kTrendRight, kTrendTop);
    p.drawLine(kTrendRight, kTrendTop, kTrendRight, kTrendBottom);
    p.drawLine(kTrendRight, kTrendBottom, kTrendLeft, kTrendBottom);
    p.drawLine(kTrendLeft, kTrendBottom, kTrendLeft, kTrendTop);
    for (int y : kTrendGridYs)
        p.drawLine(kTrendLeft, y, kTrendRight, y);

    text(p, 28, 100, QStringLiteral("0%"), kRed);
    text(p, 24, 10, QStringLiteral("100%"), kRed);
    text(p, 546, 100, QStringLiteral("0分"), kYellow);
    text(p, chart.scaleTop.x, chart.scaleTop.y, chart.scaleTop.text, kYellow);
    for (size_t k = 0; k < chart.dates.size(); ++k) {
        text(p, chart.dates[k].x, chart.dates[k].y, chart.dates[k].text, kSilver);
        text(p, chart.times[k].x, chart.times[k].y, chart.times[k].text, kSilver);
    }

    line(p, chart.timePoints, kYellow);
    line(p, chart.ratePoints, kRed);
    return picture;
}
