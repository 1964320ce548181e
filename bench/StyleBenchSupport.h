#pragma once
// What the answer style benchmarks share: a headless application whose modal screens return at
// once, and a question picture written to a temporary directory.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace stylebench
{

// A picture of `width` x `height` with some drawing on it, saved as PNG; its path.
inline QString writePicture(const QTemporaryDir& dir, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < height; y += 24)
        for (int x = (y / 24) % 2 * 24; x < width; x += 48)
            painter.fillRect(x, y, 24, 24, QColor(200, 220, 255));
    painter.end();
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    image.save(path);
    return path;
}

} // namespace stylebench

// Google Benchmark's main, inside a headless QApplication.
#define QUARVEL_STYLE_BENCH_MAIN()                                                                                     \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        qputenv("QUARVEL_TESTING", "1");                                                                               \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
