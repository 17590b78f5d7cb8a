// SPDX-License-Identifier: MIT
#pragma once

#include "Position.h"
#include "Strength.h"

#include <cstdint>

namespace numbrax {

// How far a search may go. Bounded by picks and nodes, never by the clock, so that the same
// position gives the same pick on every machine.
struct SearchLimits
{
    int depth = 64;                  // picks ahead, at most
    std::int64_t nodes = 1'000'000;  // positions visited, at most; the last finished depth counts
    bool evaluate = true;            // weigh what the lines still hold at the horizon, else 0
};

struct SearchResult
{
    int move = -1;              // the pick; -1 when the game is over
    std::int64_t value = 0;     // what the rest of the game is worth to the side to move
    int depth = 0;              // of the last finished iteration
    bool exact = false;         // the value is the rest of the game played perfectly
    std::int64_t nodes = 0;
};

// Alpha-beta with iterative deepening, a transposition table and an evaluation at the horizon,
// for the side to move of `position`. The value counts only what is still to be taken.
SearchResult Search(const Position &position, const SearchLimits &limits);

// The limits a strength searches with on a board of the given size.
SearchLimits StrengthLimits(Strength strength, int boardSize);

// The pick of a strength for the side to move: Normal weighs each number against the best one
// it opens to the other side; Novice mostly takes one of its line's better numbers at random,
// drawn from the position; Strong and Master search. -1 when the game is over.
int ChoosePick(const Position &position, Strength strength);

// Plain opponents to measure the strengths against.
// The largest number of the line (of the board in the free choice), the first of equals.
int GreedyPick(const Position &position);
// Plain alpha-beta `depth` picks deep with the margin as its value and 0 at the horizon; the
// first of equally good picks.
int PlainSearchPick(const Position &position, int depth);

} // namespace numbrax
