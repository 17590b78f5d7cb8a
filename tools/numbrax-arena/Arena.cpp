// SPDX-License-Identifier: MIT
#include "Arena.h"

#include "NumbraxGame.h"
#include "Search.h"

#include <atomic>
#include <charconv>
#include <thread>
#include <vector>

namespace numbrax {

namespace {

constexpr std::pair<const char *, Strength> kStrengthNames[] = {
    {"novice", Strength::Novice}, {"normal", Strength::Normal}, {"strong", Strength::Strong}, {"master", Strength::Master}};

} // namespace

std::optional<ArenaSide> ArenaSide::named(const std::string &name)
{
    for (const auto &[word, strength] : kStrengthNames)
        if (name == word)
            return ArenaSide{Kind::Strength, strength, 0};
    if (name == "greedy")
        return ArenaSide{Kind::Greedy, Strength::Normal, 0};
    const std::string prefix = "search";
    if (name.compare(0, prefix.size(), prefix) == 0) {
        int depth = 0;
        const char *first = name.data() + prefix.size();
        const char *last = name.data() + name.size();
        const auto [ptr, ec] = std::from_chars(first, last, depth);
        if (ec == std::errc() && ptr == last && first != last && depth >= 1 && depth <= 12)
            return ArenaSide{Kind::Search, Strength::Normal, depth};
    }
    return std::nullopt;
}

std::string ArenaSide::name() const
{
    switch (kind) {
    case Kind::Greedy:
        return "greedy";
    case Kind::Search:
        return "search" + std::to_string(depth);
    case Kind::Strength:
        break;
    }
    for (const auto &[word, s] : kStrengthNames)
        if (s == strength)
            return word;
    return "?";
}

int ArenaSide::pick(const Position &position) const
{
    switch (kind) {
    case Kind::Greedy:
        return GreedyPick(position);
    case Kind::Search:
        return PlainSearchPick(position, depth);
    case Kind::Strength:
        break;
    }
    return ChoosePick(position, strength);
}

ArenaTally &ArenaTally::operator+=(const ArenaTally &other)
{
    won += other.won;
    drawn += other.drawn;
    lost += other.lost;
    margin += other.margin;
    return *this;
}

std::int64_t PlayArenaGame(const Board &numbers, bool goByCols, const ArenaSide &player, const ArenaSide &computer)
{
    Position position(numbers, goByCols, Side::Player, {0, 0}, true);
    while (!position.over()) {
        const ArenaSide &side = position.toMove() == Side::Player ? player : computer;
        position.play(side.pick(position));
    }
    return position.compScore() - position.playerScore();
}

ArenaTally PlayArenaMatch(const Settings &settings, int boards, std::uint64_t firstSeed, const ArenaSide &player,
                          const ArenaSide &computer, int jobs)
{
    std::vector<std::int64_t> margins(std::size_t(std::max(boards, 0)));
    std::atomic<int> next{0};
    auto work = [&] {
        TNumbraxGame dealer;
        dealer.SetSettings(settings);
        for (int i = next++; i < boards; i = next++) {
            dealer.NewGame(firstSeed + std::uint64_t(i));
            margins[std::size_t(i)] = PlayArenaGame(dealer.board(), settings.GoByCols, player, computer);
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < jobs; ++j)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();

    ArenaTally tally;
    for (const std::int64_t m : margins) {
        (m > 0 ? tally.won : m < 0 ? tally.lost : tally.drawn)++;
        tally.margin += m;
    }
    return tally;
}

} // namespace numbrax
