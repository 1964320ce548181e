// The panel screen with 30 panels on a 1024 x 768 picture: building it for a showing (picture
// loaded, panels cut out) and one drag step of a panel under the mouse.
// Targets: building under 15 ms, one drag step under 0.5 ms.
#include "StyleBenchSupport.h"

#include "bank/QuestionBank.h"
#include "styles/StyleHandOver.h"
#include "styles/screens/PanelSurface.h"
#include "styles/screens/TfrmSelStyle4.h"

#include <QMouseEvent>

#include <string>

namespace
{

void fillQuestion(StyleHandOver& handOver, const QString& picture)
{
    StyleQuestion& q = handOver.question(kStylePanel);
    q = StyleQuestion{};
    q.picturePath = picture;
    for (int k = 0; k < 30; ++k) {
        const int x = 20 + (k % 6) * 160;
        const int y = 20 + (k / 6) * 70;
        q.dataC += "@" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 140) + "," +
                   std::to_string(y + 30);
        q.dataB += "@" + std::to_string(x) + "," + std::to_string(y + 400) + "," + std::to_string(x + 140) + "," +
                   std::to_string(y + 430);
    }
    q.dataA = "@x";
}

void BM_PanelScreenBuild30Panels1024x768(benchmark::State& state)
{
    QTemporaryDir dir;
    StyleHandOver handOver;
    fillQuestion(handOver, stylebench::writePicture(dir, 1024, 768));
    TfrmSelStyle4 screen(handOver);
    for (auto _ : state) {
        screen.showModal();
        benchmark::DoNotOptimize(screen.board().panelCount());
        state.PauseTiming();
        screen.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PanelScreenBuild30Panels1024x768)->Unit(benchmark::kMillisecond);

void BM_PanelDragStep(benchmark::State& state)
{
    QTemporaryDir dir;
    StyleHandOver handOver;
    fillQuestion(handOver, stylebench::writePicture(dir, 1024, 768));
    TfrmSelStyle4 screen(handOver);
    screen.showModal();
    PanelSurface* surface = screen.surface();
    const QPointF grab(30, 30);
    QMouseEvent press(QEvent::MouseButtonPress, grab, surface->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &press);
    int step = 0;
    for (auto _ : state) {
        const QPointF at(30 + step % 400, 30 + step % 300);
        QMouseEvent move(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &move);
        ++step;
    }
    benchmark::DoNotOptimize(screen.board().position(0));
}
BENCHMARK(BM_PanelDragStep)->Unit(benchmark::kMicrosecond);

} // namespace

QUARVEL_STYLE_BENCH_MAIN()
