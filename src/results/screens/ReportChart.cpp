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

// The frames and the dotted grid go straight into the bits: the painter would hand every line of
// a hundred rows or dots to worker threads and wait for them, which costs far more than the line.
void blacken(QImage& image, int x, int y)
{
    image.scanLine(y)[x >> 3] |= uchar(0x80 >> (x & 7));
}

void frame(QImage& image, int left, int top, int right, int bottom)
{
    for (int x = left; x <= right; ++x) {
        blacken(image, x, top);
        blacken(image, x, bottom);
    }
    for (int y = top; y <= bottom; ++y) {
        blacken(image, left, y);
        blacken(image, right, y);
    }
}

// One dot, two blanks, from `left` up to `right` at the most.
void dottedLine(QImage& image, int left, int right, int y)
{
    for (int x = left; x <= right; x += 3)
        blacken(image, x, y);
}

} // namespace

QImage drawReportChart(const TrendChart& chart, ReportChartKind kind)
{
    QImage image(kReportChartWidth, kReportChartHeight, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    frame(image, 0, 0, kReportChartWidth - 1, kReportChartHeight - 1);
    frame(image, kTrendLeft, kTrendTop, kTrendRight, kTrendBottom);
    for (int y : kTrendGridYs)
        dottedLine(image, kTrendLeft, kTrendRight, y);

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

namespace
{

// Whether pixel x of a row goes into the XBM: its colour has no blue.
class XbmRow
{
  public:
    explicit XbmRow(const QImage& image) : m_image(image)
    {
        if (image.depth() == 1) {
            const QList<QRgb> table = image.colorTable();
            for (int i = 0; i < 2; ++i)
                m_indexSet[i] = i < table.size() && qBlue(table[i]) == 0;
        } else if (image.format() != QImage::Format_RGB888) {
            m_image = image.convertToFormat(QImage::Format_RGB888);
        }
    }

    void select(int y) { m_row = m_image.constScanLine(y); }

    bool set(int x) const
    {
        switch (m_image.format()) {
        case QImage::Format_Mono:
            return m_indexSet[(m_row[x >> 3] >> (7 - (x & 7))) & 1];
        case QImage::Format_MonoLSB:
            return m_indexSet[(m_row[x >> 3] >> (x & 7)) & 1];
        default:
            return m_row[3 * x + 2] == 0; // R, G, B: the blue component
        }
    }

  private:
    QImage m_image;
    const uchar* m_row = nullptr;
    bool m_indexSet[2] = {false, false};
};

} // namespace

std::string xbmText(const QImage& image)
{
    XbmRow pixels(image);
    const int width = image.width();
    const int entries = (width + 7) / 8;
    static const char* hex = "0123456789ABCDEF";
    std::string out = "#define TEST_width " + std::to_string(width) + "\r\n#define TEST_height " +
                      std::to_string(image.height()) + "\r\nstatic char TEST_bits[] = {\r\n";
    out.reserve(out.size() + size_t(image.height()) * (size_t(entries) * 5 + 2) + 4);
    for (int y = 0; y < image.height(); ++y) {
        pixels.select(y);
        for (int k = 0; k < entries; ++k) {
            unsigned byte = 0;
            for (int j = 0; j < 8 && 8 * k + j < width; ++j) {
                if (pixels.set(8 * k + j))
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
