// SPDX-License-Identifier: MIT
#pragma once

#include "Position.h"
#include "Settings.h"
#include "Strength.h"

#include <cstdint>
#include <optional>
#include <string>

namespace numbrax {

// One side of an arena game: a strength of the computer, or a plain bot to measure it against.
struct ArenaSide
{
    enum class Kind { Strength, Greedy, Search };
    Kind kind = Kind::Strength;
    Strength strength = Strength::Normal;
    int depth = 0; // picks, for Kind::Search

    // "novice", "normal", "strong", "master", "greedy" or "searchN" (N picks deep, 1 to 12).
    static std::optional<ArenaSide> named(const std::string &name);
    std::string name() const;
    // The side's pick in a position where it is to move.
    int pick(const Position &position) const;
};

struct ArenaTally
{
    int won = 0; // by the computer's side
    int drawn = 0;
    int lost = 0;
    std::int64_t margin = 0; // the computer's total minus the player's, summed over the games

    int games() const { return won + drawn + lost; }
    double meanMargin() const { return games() ? double(margin) / games() : 0.0; }
    ArenaTally &operator+=(const ArenaTally &other);
};

// The computer's margin in one game on `numbers`, the player picking first, both sides playing
// by the game's rules.
std::int64_t PlayArenaGame(const Board &numbers, bool goByCols, const ArenaSide &player, const ArenaSide &computer);

// Games on `boards` seeded boards dealt under `settings` (seeds first, first + 1, ...), spread
// over `jobs` threads; the tally does not depend on their number.
ArenaTally PlayArenaMatch(const Settings &settings, int boards, std::uint64_t firstSeed, const ArenaSide &player,
                          const ArenaSide &computer, int jobs);

} // namespace numbrax
