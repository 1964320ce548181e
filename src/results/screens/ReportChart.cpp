#include "results/screens/ReportChart.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>

namespace
{

void text(QPainter& p, int x, int y, const QString& s)
{
    p.drawText(QRect(x, y, 200, 20), Qt::AlignLeft | Qt::AlignTop, s);
}

void circle(QPainter& p, ChartPoint at, int radius)
{
    p.drawEllipse(QRect(at.x - radius, at.y - radius, 2 * radius, 2 * radius));
}

} // namespace

QImage drawReportChart(const TrendChart& chart, ReportChartKind kind)
{
    QImage image(kReportChartWidth, kReportChartHeight, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    // Hard edges: the XBM keeps only pixels without blue, so grey fringes would thin the texts.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);

    p.drawRect(0, 0, kReportChartWidth - 1, kReportChartHeight - 1);
    p.drawRect(kTrendLeft, kTrendTop, kTrendRight - kTrendLeft, kTrendBottom - kTrendTop);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (int y : kTrendGridYs)
        p.drawLine(kTrendLeft, y, kTrendRight, y);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));

    const bool rate = kind == ReportChartKind::Rate;
    text(p, 28, 100, rate ? QStringLiteral("0%") : QStringLiteral("0分"));
    text(p, 24, 10, rate ? QStringLiteral("100%") : chart.scaleTop.text);
    for (size_t k = 0; k < chart.dates.size(); ++k) {
        text(p, chart.dates[k].x, chart.dates[k].y, chart.dates[k].text);
        text(p, chart.times[k].x, chart.times[k].y, chart.times[k].text);
    }

    const auto& points = rate ? chart.ratePoints : chart.timePoints;
    for (size_t k = 1; k < points.size(); ++k)
        p.drawLine(points[k - 1].x, points[k - 1].y, points[k].x, points[k].y);
    p.setBrush(Qt::white);
    for (size_t k = 0; k + 1 < points.size(); ++k)
        circle(p, points[k], 2);
    circle(p, points.back(), 4); // the current attempt: a circle within a circle
    circle(p, points.back(), 2);
    return image;
}

std::string xbmText(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width();
    const int entries = (width + 7) / 8;
    static const char* hex = "0123456789ABCDEF";
    std::string out = "#define TEST_width " + std::to_string(width) + "\r\n#define TEST_height " +
                      std::to_string(image.height()) + "\r\nstatic char TEST_bits[] = {\r\n";
    out.reserve(out.size() + size_t(image.height()) * (size_t(entries) * 5 + 2) + 4);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int k = 0; k < entries; ++k) {
            unsigned byte = 0;
            for (int j = 0; j < 8 && 8 * k + j < width; ++j) {
                if (row[3 * (8 * k + j) + 2] == 0) // R, G, B: the blue component
                    byte |= 1u << j;
            }
            out += "0x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
            out += ',';
        }
        out += "\r\n";
    }
    out += "};\r\n";
    return out;
}

std::string pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}
