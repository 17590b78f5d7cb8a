// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace numbrax {

enum class Side { Player, Computer };
enum class GameResult { PlayerWon, ComputerWon, Draw };

// A cell of the board, addressed as the board is: column first, both from 0.
struct Cell
{
    int col = 0;
    int row = 0;

    bool operator==(const Cell &) const = default;
};

constexpr Side Opponent(Side side)
{
    return side == Side::Player ? Side::Computer : Side::Player;
}

// Who picks after `picker` took a number, from whether each side's line through the new current
// cell still holds one: the other side when it can; else the picker again, the other side
// passing; nobody when both lines are empty, and the game is over. The game and every search
// turn the play over by this one rule.
constexpr std::optional<Side> NextPicker(Side picker, bool playerLineHasMove, bool computerLineHasMove)
{
    const bool otherCan = picker == Side::Player ? computerLineHasMove : playerLineHasMove;
    const bool pickerCan = picker == Side::Player ? playerLineHasMove : computerLineHasMove;
    if (otherCan)
        return Opponent(picker);
    if (pickerCan)
        return picker;
    return std::nullopt;
}

// The result of a finished game: the higher total wins, compared as signed numbers.
constexpr GameResult ResultOf(std::int64_t playerScore, std::int64_t compScore)
{
    if (playerScore == compScore)
        return GameResult::Draw;
    return compScore > playerScore ? GameResult::ComputerWon : GameResult::PlayerWon;
}

} // namespace numbrax
