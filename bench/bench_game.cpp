// SPDX-License-Identifier: MIT
// The rules at their largest: a computer pick and a whole game on a 50 x 50 board.
#include "BoardText.h"
#include "NumbraxGame.h"
#include "Replay.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sstream>

using namespace numbrax;

namespace {

constexpr int kSize = kMaxBoardSize;

Board RandomBoard(std::uint64_t seed, std::int32_t limit)
{
    TNumbraxGame game;
    Settings settings;
    settings.BoardSize = kSize;
    settings.MaxNum = limit;
    game.SetSettings(settings);
    game.NewGame(seed);
    return game.board();
}

// A replay script of a whole game on a fixed board: the player always takes the first number
// of its row.
std::string WholeGameScript()
{
    const Board board = RandomBoard(2024, kMaxNumberLimit);
    std::string script = "board " + std::to_string(kSize) + "\n" + BoardToText(board);
    TNumbraxGame game;
    game.StartGame(board);
    script += "move 0 0\n";
    game.PointerMove(0, 0);
    while (game.GameActive()) {
        for (int col = 0; col < kSize; ++col)
            if (game.CellValue(col, game.CurRow()) != 0) {
                game.PointerMove(col, game.CurRow());
                script += "move " + std::to_string(col) + " " + std::to_string(game.CurRow()) + "\n";
                break;
            }
        game.Press();
        script += "press\n";
    }
    return script;
}

// A press on a full board: the player's pick and the one computer pick that answers it.
void ComputerPick(benchmark::State &state)
{
    const Board board = RandomBoard(7, kMaxNumberLimit);
    TNumbraxGame game;
    for (auto _ : state) {
        state.PauseTiming();
        game.StartGame(board);
        game.PointerMove(kSize / 2, kSize / 2);
        state.ResumeTiming();
        game.Press();
        benchmark::DoNotOptimize(game.CurRow());
    }
    if (game.CompScore() == 0)
        state.SkipWithError("the computer did not answer");
}
BENCHMARK(ComputerPick);

void WholeScriptedGame(benchmark::State &state)
{
    const std::string script = WholeGameScript();
    std::int64_t lines = 0;
    for (auto _ : state) {
        std::istringstream in(script);
        std::ostringstream out, err;
        if (RunReplay(in, out, err) != 0)
            state.SkipWithError("the script did not replay");
        const std::string transcript = out.str();
        lines = std::count(transcript.begin(), transcript.end(), '\n');
    }
    state.counters["transcript_lines"] = double(lines);
}
BENCHMARK(WholeScriptedGame)->Unit(benchmark::kMillisecond);

// The floor: reading every value a computer pick reads, N x (N + 1) of them, and nothing else.
void Sum2550CellValues(benchmark::State &state)
{
    const Board board = RandomBoard(11, kMaxNumberLimit);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (int row = 0; row < kSize; ++row)
            for (int col = 0; col < kSize; ++col)
                sum += board.value(col, row);
        for (int col = 0; col < kSize; ++col)
            sum += board.value(col, 0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(Sum2550CellValues);

} // namespace

BENCHMARK_MAIN();
