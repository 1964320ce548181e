// Pictures in the exam: decoding a 1024 x 768 JPEG through the image loader, and how long the
// exhibit window and the graphic answer screen take to be ready with it (offscreen).
// Targets: decode < 10 ms; either window < 20 ms.
#include "session/ExamSession.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "styles/screens/TfrmSelStyle3.h"
#include "ui/ImageLoader.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

// A picture with the detail of a real diagram (lines, text, gradients), written once per run.
QString writeJpeg(const QTemporaryDir& dir)
{
    QImage image(1024, 768, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 1024, 768);
    gradient.setColorAt(0, QColor(230, 240, 255));
    gradient.setColorAt(1, QColor(255, 250, 230));
    painter.fillRect(image.rect(), gradient);
    painter.setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    for (int i = 0; i < 60; ++i) {
        const QRect box(20 + (i % 10) * 100, 20 + (i / 10) * 120, 80, 60);
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 60, 250));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("装置 %1").arg(i + 1));
        painter.drawLine(box.center(), QPoint(512, 384));
    }
    painter.end();
    const QString path = dir.filePath(QStringLiteral("big.jpg"));
    image.save(path, "JPG", 85);
    return path;
}

const QString& jpegPath()
{
    static QTemporaryDir dir;
    static const QString path = writeJpeg(dir);
    return path;
}

void BM_JpegDecode1024x768(benchmark::State& state)
{
    const QString& path = jpegPath();
    for (auto _ : state) {
        QImage image = ui::loadImage(path);
        if (image.isNull())
            state.SkipWithError("picture did not load");
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_JpegDecode1024x768)->Unit(benchmark::kMillisecond);

void BM_ExhibitWindow1024x768(benchmark::State& state)
{
    const QString path = jpegPath();
    TRefImgForm* window = screens().RefImgForm;
    for (auto _ : state) {
        window->showExhibit(path);
        QApplication::processEvents(); // shown and painted
        state.PauseTiming();
        window->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExhibitWindow1024x768)->Unit(benchmark::kMillisecond);

void BM_GraphicScreen1024x768(benchmark::State& state)
{
    StyleQuestion& question = examSession().styleHandOver.question(kStyleGraphic);
    question = StyleQuestion{};
    question.picturePath = jpegPath();
    question.areas = {"20,20,100,80", "120,140,200,200", "500,300,600,400"};
    TfrmSelStyle3* screen = screens().frmSelStyle3;
    for (auto _ : state) {
        screen->showModal(); // returns once shown (QUARVEL_TESTING)
        QApplication::processEvents();
        state.PauseTiming();
        screen->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GraphicScreen1024x768)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUARVEL_TESTING", "1"); // modal screens return at once; message boxes are answered
    qputenv("QUARVEL_SILENT", "1");
    QApplication app(argc, argv);
    ui::testing::answerBoxesAutomatically(true);
    createScreens();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroyScreens();
    return 0;
}
