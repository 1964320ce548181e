// The connector screen's redraw (SetConnector) with 20 objects and 50 connections on a 1024 x 768
// picture: the drawing surface cleared, every kind picture, arrow, frame and line drawn.
// Target: under 2 ms.
#include "StyleBenchSupport.h"

#include "bank/QuestionBank.h"
#include "styles/StyleHandOver.h"
#include "styles/screens/TfrmSelStyle7.h"

#include <string>

namespace
{

void BM_ConnectorRedraw20Objects50Connections(benchmark::State& state)
{
    QTemporaryDir dir;
    StyleHandOver handOver;
    StyleQuestion& q = handOver.question(kStyleConnector);
    q = StyleQuestion{};
    q.picturePath = stylebench::writePicture(dir, 1024, 768);
    for (int k = 0; k < 20; ++k) {
        const int x = 20 + (k % 5) * 200;
        const int y = 80 + (k / 5) * 170;
        q.dataB += "@" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 80) + "," +
                   std::to_string(y + 40) + ",o" + std::to_string(k);
    }
    q.dataC = "@10,8,100,36,straight,0@110,8,200,36,cross,0@210,8,300,36,serial,1";
    TfrmSelStyle7 screen(handOver);
    screen.showModal();
    // 50 connections: object k with k+1 and k+2 (kinds in turn), some pairs twice so they stack.
    connectorstyle::ConnectorBoard& board = screen.board();
    for (int c = 0; c < 50; ++c) {
        const int first = 1 + c % 19;
        const int second = first + 1;
        board.selectObject(first, false);
        board.selectObject(second, true);
        board.kindClick(1 + c % 3);
    }
    for (auto _ : state)
        screen.SetConnector();
    benchmark::DoNotOptimize(board.connections().back().drawn);
}
BENCHMARK(BM_ConnectorRedraw20Objects50Connections)->Unit(benchmark::kMicrosecond);

} // namespace

QUARVEL_STYLE_BENCH_MAIN()
