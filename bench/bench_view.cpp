// SPDX-License-Identifier: MIT
// The board view at its largest: a full repaint, and what one pointer move repaints.
#include "DrawGrid.h"
#include "f_Numbrax.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

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

// The floor of a full repaint: the same board with the least QPainter work, the cells' fills,
// their grid lines and one drawText each, in the game's font and colours. The texts are made
// once, as a view that kept them beside the numbers would.
class FloorBoard : public QWidget
{
public:
    explicit FloorBoard(TfNumbrax &w)
    {
        toolkit::TDrawGrid *grid = w.sgr;
        resize(grid->size());
        // The cells' font, as the game's painting sets it.
        const toolkit::TDrawGrid::DrawCellHandler inner = grid->drawCellHandler();
        grid->setDrawCellHandler([&](QPainter &p, int col, int row, const QRect &rect, bool marked) {
            inner(p, col, row, rect, marked);
            if (col == 0 && row == 0)
                font = p.font();
        });
        grid->repaint();
        grid->setDrawCellHandler(inner);
        for (int row = 0; row < kSize; ++row)
            for (int col = 0; col < kSize; ++col)
                cells.push_back({grid->cellRect(col, row),
                                 QString::fromStdString(w.game().board().text(col, row))});
        lines = grid->gridLineColor();
        // A game in progress keeps its current cell framed, focused or not.
        const QPoint current = grid->markedCell();
        marked = grid->cellRect(current.x(), current.y());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setFont(font);
        p.setPen(Qt::black);
        for (const Cell &c : cells) {
            p.fillRect(c.rect.right() + 1, c.rect.top(), 1, c.rect.height() + 1, lines);
            p.fillRect(c.rect.left(), c.rect.bottom() + 1, c.rect.width(), 1, lines);
            const bool taken = c.text == QLatin1String("0");
            p.fillRect(c.rect, taken ? QColor(128, 128, 128) : Qt::white);
            if (!taken)
                p.drawText(c.rect, Qt::AlignLeft | Qt::AlignTop, c.text);
        }
        p.setPen(Qt::red);
        p.drawRect(marked.adjusted(0, 0, -1, -1));
    }

private:
    struct Cell {
        QRect rect;
        QString text;
    };
    std::vector<Cell> cells;
    QFont font;
    QColor lines;
    QRect marked;
};

void FloorRepaint(benchmark::State &state)
{
    Window window;
    FloorBoard floor(window.w);
    floor.show();
    QApplication::processEvents();
    // The floor is a fair one only if it paints what the game paints, inside the board's frame.
    const int frame = toolkit::TDrawGrid::BorderWidth;
    const QRect inside = floor.rect().adjusted(frame, frame, -frame, -frame);
    if (floor.grab(inside).toImage() != window.w.sgr->grab(inside).toImage())
        state.SkipWithError("the floor paints other pixels than the game");
    for (auto _ : state)
        floor.repaint();
    state.counters["board_px"] = double(floor.width() * floor.height());
}
BENCHMARK(FloorRepaint)->Unit(benchmark::kMillisecond);

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

// Prints the figures as usual and keeps each one's time per iteration for the ratios.
class Reporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    std::map<std::string, double> times;
};

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto game = reporter.times.find("FullRepaint"), floor = reporter.times.find("FloorRepaint");
    if (game != reporter.times.end() && floor != reporter.times.end() && floor->second > 0)
        std::printf("full repaint / floor: %.2f (goal: at most 1.3)\n", game->second / floor->second);
    return 0;
}
