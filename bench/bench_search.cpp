// SPDX-License-Identifier: MIT
// How long the computer thinks per pick, for each strength at 10 x 10 and 50 x 50: the median
// and the worst over positions sampled along whole games, in wall-clock time and in the
// thread's processor time (the machine may be shared, which stretches the first only).
#include "NumbraxGame.h"
#include "Position.h"
#include "Search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

using namespace numbrax;

namespace {

double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

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

void ThinkTime(benchmark::State &state, Strength strength, int size, int games, int perGame)
{
    const std::vector<Position> positions = ComputerPositions(size, games, perGame);
    std::vector<double> wall, cpu;
    for (auto _ : state) {
        for (const Position &p : positions) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = ThreadSeconds();
            benchmark::DoNotOptimize(ChoosePick(p, strength));
            cpu.push_back(ThreadSeconds() - cpuStart);
            wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
    auto report = [&](std::vector<double> &times, const char *name) {
        std::sort(times.begin(), times.end());
        state.counters[std::string(name) + "_median_ms"] = times[times.size() / 2] * 1e3;
        state.counters[std::string(name) + "_worst_ms"] = times.back() * 1e3;
    };
    report(wall, "wall");
    report(cpu, "cpu");
    state.counters["picks"] = double(positions.size());
}

void Register()
{
    const std::pair<const char *, Strength> strengths[] = {
        {"Novice", Strength::Novice}, {"Normal", Strength::Normal}, {"Strong", Strength::Strong}, {"Master", Strength::Master}};
    for (const auto &[name, strength] : strengths) {
        const Strength s = strength;
        benchmark::RegisterBenchmark((std::string("ThinkTime/") + name + "/10x10").c_str(),
                                     [s](benchmark::State &st) { ThinkTime(st, s, 10, 20, 25); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("ThinkTime/") + name + "/50x50").c_str(),
                                     [s](benchmark::State &st) { ThinkTime(st, s, 50, 2, 30); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
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
