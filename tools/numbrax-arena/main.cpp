// SPDX-License-Identifier: MIT
// numbrax-arena: plays seeded random boards between a player side and a computer side and
// prints the computer's games won, drawn and lost and its mean margin.
#include "Arena.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

using namespace numbrax;

namespace {

const char kUsage[] =
    "usage: numbrax-arena [--player SIDE] [--computer SIDE] [--table] [--boards N] [--seed N]\n"
    "                     [--size N] [--limit N] [--negative] [--nulls] [--bycols] [--jobs N]\n"
    "SIDE is novice, normal, strong, master (the computer's strengths), greedy (the largest\n"
    "number of its line) or searchN (plain alpha-beta N picks deep, N from 1 to 12).\n"
    "--table plays every strength against greedy, search2 and search4 and prints a table.\n"
    "Defaults: --player greedy --computer normal --boards 200 --seed 1 --size 10 --limit 10\n"
    "--jobs as many as the machine has processors.\n";

struct Options
{
    ArenaSide player = *ArenaSide::named("greedy");
    ArenaSide computer = *ArenaSide::named("normal");
    bool table = false;
    int boards = 200;
    std::uint64_t seed = 1;
    Settings settings;
    int jobs = int(std::max(1u, std::thread::hardware_concurrency()));
};

bool ParseNumber(const char *text, long long low, long long high, long long &out)
{
    const std::string s = text;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && ptr == s.data() + s.size() && out >= low && out <= high;
}

std::optional<Options> Parse(int argc, char *argv[])
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long n = 0;
        auto number = [&](long long low, long long high) { return hasValue && ParseNumber(argv[++i], low, high, n); };
        if (arg == "--player" || arg == "--computer") {
            const std::optional<ArenaSide> side = hasValue ? ArenaSide::named(argv[++i]) : std::nullopt;
            if (!side)
                return std::nullopt;
            (arg == "--player" ? o.player : o.computer) = *side;
        } else if (arg == "--table") {
            o.table = true;
        } else if (arg == "--boards" && number(1, 1000000)) {
            o.boards = int(n);
        } else if (arg == "--seed" && number(0, (1LL << 62))) {
            o.seed = std::uint64_t(n);
        } else if (arg == "--size" && number(kMinBoardSize, kMaxBoardSize)) {
            o.settings.BoardSize = int(n);
        } else if (arg == "--limit" && number(kMinNumberLimit, kMaxNumberLimit)) {
            o.settings.MaxNum = std::int32_t(n);
        } else if (arg == "--jobs" && number(1, 256)) {
            o.jobs = int(n);
        } else if (arg == "--negative") {
            o.settings.NegativNum = true;
        } else if (arg == "--nulls") {
            o.settings.UseNullCells = true;
        } else if (arg == "--bycols") {
            o.settings.GoByCols = true;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

std::string Describe(const Options &o)
{
    std::string text = std::to_string(o.boards) + " boards of " + std::to_string(o.settings.BoardSize) + " x " +
                       std::to_string(o.settings.BoardSize) + ", limit " + std::to_string(o.settings.MaxNum);
    if (o.settings.NegativNum)
        text += ", negative numbers";
    if (o.settings.UseNullCells)
        text += ", empty cells";
    if (o.settings.GoByCols)
        text += ", the player along columns";
    return text + ", seeds from " + std::to_string(o.seed);
}

std::string TallyText(const ArenaTally &t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d / %d / %d, %+.2f", t.won, t.drawn, t.lost, t.meanMargin());
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::optional<Options> options = Parse(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    const Options &o = *options;
    if (!o.table) {
        const ArenaTally t = PlayArenaMatch(o.settings, o.boards, o.seed, o.player, o.computer, o.jobs);
        std::cout << "player " << o.player.name() << " against computer " << o.computer.name() << ": " << Describe(o)
                  << '\n'
                  << "computer won / drawn / lost, mean margin: " << TallyText(t) << '\n';
        return 0;
    }

    const std::vector<std::string> bots = {"greedy", "search2", "search4"};
    std::cout << "The computer's games won / drawn / lost and its mean margin against each player, " << Describe(o)
              << ":\n\n| computer |";
    for (const std::string &bot : bots)
        std::cout << ' ' << bot << " |";
    std::cout << "\n|---|";
    for (std::size_t i = 0; i < bots.size(); ++i)
        std::cout << "---|";
    std::cout << '\n';
    for (const char *strength : {"novice", "normal", "strong", "master"}) {
        std::cout << "| " << strength << " |" << std::flush;
        for (const std::string &bot : bots) {
            const ArenaTally t =
                PlayArenaMatch(o.settings, o.boards, o.seed, *ArenaSide::named(bot), *ArenaSide::named(strength), o.jobs);
            std::cout << ' ' << TallyText(t) << " |" << std::flush;
        }
        std::cout << '\n';
    }
    return 0;
}
