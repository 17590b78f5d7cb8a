// SPDX-License-Identifier: MIT
// The board view at its largest: a full repaint, and what one pointer move repaints.
#include "DrawGrid.h"
#include "f_Numbrax.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSize = numbrax::kMaxBoardSize;

// The main window with a whole 50 x 50 game in progress, its board 1600 x 1000 pixels.
class Window
{
public:
    Window()
    {
        numbrax::Settings settings;
        settings.BoardSize = kSize;
        settings.MaxNum = numbrax::kMaxNumberLimit;
        w.game().SetSettings(settings);
        w.game().NewGame();
        w.show();
        const QSize frame = w.size() - w.sgr->size();
        w.resize(QSize(1600, 1000) + frame);
        QApplication::processEvents();
    }

    TfNumbrax w;
};

void moveTo(toolkit::TDrawGrid *grid, int col, int row)
{
    const QPointF at = grid->cellRect(col, row).center();
    QMouseEvent move(QEvent::MouseMove, at, grid->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid, &move);
}

void FullRepaint(benchmark::State &state)
{
    Window window;
    toolkit::TDrawGrid *grid = window.w.sgr;
    for (auto _ : state)
        grid->repaint();
    state.counters["board_px"] = double(grid->width() * grid->height());
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

// One pointer move to a neighbouring cell and the repaint it causes; counts the cells painted.
void PointerMove(benchmark::State &state)
{
    Window window;
    toolkit::TDrawGrid *grid = window.w.sgr;
    int painted = 0;
    const toolkit::TDrawGrid::DrawCellHandler inner = grid->drawCellHandler();
    grid->setDrawCellHandler([&](QPainter &p, int col, int row, const QRect &rect, bool marked) {
        ++painted;
        inner(p, col, row, rect, marked);
    });
    moveTo(grid, 10, 10);
    QApplication::processEvents();
    int col = 10;
    std::int64_t moves = 0;
    painted = 0;
    for (auto _ : state) {
        col = col == 10 ? 11 : 10;
        moveTo(grid, col, 10);
        QApplication::processEvents();
        ++moves;
    }
    state.counters["cells_painted_per_move"] = moves ? double(painted) / double(moves) : 0.0;
    grid->setDrawCellHandler(inner);
}
BENCHMARK(PointerMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
