#include "results/screens/StudyPictures.h"

#include "bank/Cp932.h"
#include "results/CourseForecast.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace
{

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);

QImage blackSurface(int width, int height)
{
    QImage image(width, std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QFont smallFont(bool underline = false)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(11); // size 8
    font.setUnderline(underline);
    return font;
}

void text(QPainter& p, int x, int y, const QString& s, const QColor& colour, int width = 600)
{
    p.setPen(colour);
    p.drawText(QRect(x, y, width, 16), Qt::AlignLeft | Qt::AlignTop, s);
}

// Fills the rectangle from (x1, y1) to (x2, y2), the right and bottom edges excluded.
void fill(QPainter& p, int x1, int y1, int x2, int y2, const QColor& colour)
{
    if (x2 > x1 && y2 > y1)
        p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), colour);
}

} // namespace

QImage crownPicture()
{
    QImage image(18, 9, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QColor gold(0xFF, 0xC8, 0x00);
    const QPoint outline[] = {{0, 8}, {0, 1}, {4, 5}, {8, 0}, {9, 0}, {13, 5}, {17, 1}, {17, 8}};
    p.setPen(QColor(0x80, 0x50, 0x00));
    p.setBrush(gold);
    p.drawPolygon(outline, int(std::size(outline)));
    return image;
}

QImage adaptiveIcon()
{
    QImage image(15, 10, QImage::Format_RGB32);
    image.fill(QColor(0x00, 0x80, 0x00));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawRect(0, 0, 14, 9);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 15, 10), Qt::AlignCenter, QStringLiteral("A"));
    return image;
}

QImage drawTestNames(const std::vector<StudyTest>& tests, const std::vector<bool>& hasAdaptive)
{
    const int n = int(tests.size());
    QImage image = blackSurface(kStudyNamesWidth, kStudyRowHeight * n - 1);
    QPainter p(&image);
    p.setFont(smallFont(true));
    const QImage icon = adaptiveIcon();
    for (int i = 1; i <= n; ++i) {
        const StudyTest& t = tests[size_t(i - 1)];
        text(p, 16, kStudyRowHeight * i - 13, cp932::toUnicode(t.code + " : " + t.title), kSilver);
        if (size_t(i - 1) < hasAdaptive.size() && hasAdaptive[size_t(i - 1)])
            p.drawImage(0, kStudyRowHeight * i - 13, icon);
    }
    return image;
}

QString testNameHint(const std::vector<StudyTest>& tests, int y)
{
    const int test = StudyTestAt(y);
    if (test < 1 || test > int(tests.size()))
        return {};
    const StudyTest& t = tests[size_t(test - 1)];
    const QString name = cp932::toUnicode(t.code + " : " + t.title);
    return 16 + QFontMetrics(smallFont(true)).horizontalAdvance(name) > kStudyNamesWidth ? name : QString();
}

QImage drawTestBars(const std::vector<StudyTest>& tests)
{
    const int n = int(tests.size());
    QImage image = blackSurface(kStudyBarsWidth, kStudyRowHeight * n + 8);
    QPainter p(&image);
    p.setFont(smallFont());
    const QImage crown = crownPicture();
    for (int i = 1; i <= n; ++i) {
        const StudyTest& t = tests[size_t(i - 1)];
        const int top = kStudyRowHeight * i - 16;
        const int bottom = kStudyRowHeight * i;
        const int red = StudyBarLength(t.history.average);
        fill(p, 0, top, red, bottom, kRed);
        fill(p, red, top, kStudyBarFull, bottom, kSilver);
        text(p, kStudyBarFull, kStudyRowHeight * i - 13, QString::fromStdString(StudyBestText(t.history.best)), kRed);
        if (t.forecast && t.forecast->probability) {
            // Black reads on both the red and the silver part; the bar's end stays free.
            const QString advice = ForecastAdviceText(*t.forecast);
            const QString line =
                ForecastText(*t.forecast) + (advice.isEmpty() ? QString() : QStringLiteral("　") + advice);
            const QRect room(4, top, kStudyBarFull - 8, bottom - top);
            p.setPen(Qt::black);
            p.drawText(room, Qt::AlignRight | Qt::AlignVCenter,
                       QFontMetrics(p.font()).elidedText(line, Qt::ElideRight, room.width()));
        }
        if (t.target >= 0)
            p.drawImage(StudyCrownX(t.target), kStudyRowHeight * i - 24, crown);
    }
    return image;
}

QImage drawCategoryBars(const StudyTest& test)
{
    const int count = int(std::min(test.categoryNames.size(), test.history.categories.size()));
    QImage image = blackSurface(kStudyCategoryWidth, kStudyCategoryRow * count);
    QPainter p(&image);
    p.setFont(smallFont());
    for (int c = 1; c <= count; ++c) {
        const auto& record = test.history.categories[size_t(c - 1)];
        const int top = kStudyCategoryRow * c - 16;
        const int bottom = kStudyCategoryRow * c - 4;
        const int yellowEnd = kStudyCategoryLeft + StudyCategoryBarLength(record[5]);
        text(p, 0, top, cp932::toUnicode(test.categoryNames[size_t(c - 1)]), kSilver, kStudyCategoryLeft - 6);
        fill(p, kStudyCategoryLeft, top, yellowEnd, bottom, kYellow);
        fill(p, yellowEnd, top, kStudyCategoryLeft + kStudyCategoryFull, bottom, kSilver);
        text(p, 520, top, QString::fromStdString(StudyBestText(record[6])), kYellow);
    }
    return image;
}
