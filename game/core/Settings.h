// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

namespace numbrax {

inline constexpr int kMinBoardSize = 4;
inline constexpr int kMaxBoardSize = 50;
inline constexpr std::int32_t kMinNumberLimit = 2;
inline constexpr std::int32_t kMaxNumberLimit = 999999;

// The five settings of a game, passed whole between the game, the options dialog and the
// replay driver. Nothing stores them: every start of the program begins with these defaults.
struct Settings
{
    int BoardSize = 10;        // cells along each side of the square board
    std::int32_t MaxNum = 10;  // generated magnitudes lie below this limit
    bool NegativNum = false;   // generated numbers may be negative
    bool UseNullCells = false; // generated numbers may be zero: cells empty from the start
    bool GoByCols = false;     // the player moves along columns and the computer along rows

    // The same settings with the board size and the number limit brought to their nearest
    // bounds. The game relies on them: a limit below 2 would make board generation endless.
    constexpr Settings clamped() const
    {
        Settings s = *this;
        s.BoardSize = std::clamp(BoardSize, kMinBoardSize, kMaxBoardSize);
        s.MaxNum = std::clamp(MaxNum, kMinNumberLimit, kMaxNumberLimit);
        return s;
    }

    bool operator==(const Settings &) const = default;
};

} // namespace numbrax
