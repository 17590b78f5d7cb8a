// SPDX-License-Identifier: MIT
// How long the computer thinks per pick, for each strength at 10 x 10 and 50 x 50: one
// repetition a position, over positions sampled along whole games, reported as the median and
// the worst (max) in wall-clock time ("Time") and processor time ("CPU", which a machine shared
// with other work stretches less).
#include "NumbraxGame.h"
#include "Position.h"
#include "Search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace numbrax;

namespace {

// Positions where the computer is to pick, along games on seeded boards that Normal plays for
// both sides: `perGame` of them spread evenly over each game.
std::vector<Position> ComputerPositions(int size, int games, int perGame)
{
    std::vector<Position> positions;
    for (int g = 0; g < games; ++g) {
        TNumbraxGame dealer;
        Settings settings;
        settings.BoardSize = size;
        dealer.SetSettings(settings);
        dealer.NewGame(std::uint64_t(1000 + g));
        Position p(dealer.board(), false, Side::Player, {0, 0}, true);
        std::vector<Position> turns;
        while (!p.over()) {
            if (p.toMove() == Side::Computer)
                turns.push_back(p);
            p.play(ChoosePick(p, Strength::Normal));
        }
        for (int i = 0; i < perGame && !turns.empty(); ++i)
            positions.push_back(turns[turns.size() * std::size_t(i) / std::size_t(perGame)]);
    }
    return positions;
}

struct Sample
{
    int games;
    int perGame;
};

// 500 positions on 10 x 10, 60 on 50 x 50.
Sample SampleFor(int size)
{
    return size == 10 ? Sample{20, 25} : Sample{2, 30};
}

const std::vector<Position> &PositionsFor(int size)
{
    static std::map<int, std::vector<Position>> cache;
    auto found = cache.find(size);
    if (found == cache.end()) {
        const Sample sample = SampleFor(size);
        found = cache.emplace(size, ComputerPositions(size, sample.games, sample.perGame)).first;
    }
    return found->second;
}

void ThinkTime(benchmark::State &state, Strength strength, int size)
{
    // Each repetition thinks about the next position of the sample.
    static std::map<std::pair<Strength, int>, std::size_t> next;
    const std::vector<Position> &positions = PositionsFor(size);
    std::size_t &i = next[{strength, size}];
    for (auto _ : state)
        benchmark::DoNotOptimize(ChoosePick(positions[i++ % positions.size()], strength));
}

void Register()
{
    const std::pair<const char *, Strength> strengths[] = {
        {"Novice", Strength::Novice}, {"Normal", Strength::Normal}, {"Strong", Strength::Strong}, {"Master", Strength::Master}};
    for (const int size : {10, 50}) {
        const Sample sample = SampleFor(size);
        for (const auto &[name, strength] : strengths) {
            const Strength s = strength;
            const std::string title = "ThinkTime/" + std::string(name) + "/" + std::to_string(size) + "x" + std::to_string(size);
            benchmark::RegisterBenchmark(title.c_str(), [s, size](benchmark::State &st) { ThinkTime(st, s, size); })
                ->Iterations(1)
                ->Repetitions(sample.games * sample.perGame)
                ->ComputeStatistics("max", [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); })
                ->ReportAggregatesOnly(true)
                ->MeasureProcessCPUTime()
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
