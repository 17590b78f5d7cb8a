// SPDX-License-Identifier: MIT
#include "NumbraxGame.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <stdexcept>

namespace numbrax {

namespace {

constexpr std::int32_t kNoBest = -999999;

// Clears a flag on every way out of a scope, also when an exception passes.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag)
        : FFlag(flag)
    {
        FFlag = true;
    }
    ~FlagGuard() { FFlag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &FFlag;
};

} // namespace

TNumbraxGame::TNumbraxGame(TGameListener *listener)
    : FListener(listener ? listener : &FSilent)
{
}

void TNumbraxGame::SetSettings(const Settings &settings)
{
    const Settings next = settings.clamped();
    const bool resized = next.BoardSize != FBoard.size();
    FSettings = next;
    if (resized) {
        FBoard.resize(next.BoardSize);
        FListener->BoardChanged();
    }
}

bool TNumbraxGame::ColIsEmpty(int col) const
{
    for (int row = 0; row < FBoard.size(); ++row)
        if (FBoard.value(col, row) != 0)
            return false;
    return true;
}

bool TNumbraxGame::RowIsEmpty(int row) const
{
    for (int col = 0; col < FBoard.size(); ++col)
        if (FBoard.value(col, row) != 0)
            return false;
    return true;
}

std::int32_t TNumbraxGame::RandomCellValue()
{
    std::uniform_int_distribution<std::int32_t> magnitude(0, FSettings.MaxNum - 1);
    std::int32_t value;
    do {
        value = magnitude(FRandom);
    } while (value == 0 && !FSettings.UseNullCells); // ends: the limit is at least 2, so 1 can be drawn
    if (FSettings.NegativNum) {
        std::uniform_real_distribution<double> coin(0.0, 1.0);
        if (coin(FRandom) > 0.5)
            value = -value;
    }
    return value;
}

void TNumbraxGame::NewGame()
{
    // Nanoseconds, so that two new games in quick succession still get different boards.
    NewGame(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
}

void TNumbraxGame::NewGame(std::uint64_t seed)
{
    FRandom.seed(seed);
    Board numbers(FSettings.BoardSize);
    for (int col = 0; col < numbers.size(); ++col)
        for (int row = 0; row < numbers.size(); ++row)
            numbers.setNumber(col, row, RandomCellValue());
    StartGame(numbers);
}

void TNumbraxGame::StartGame(const Board &numbers)
{
    if (numbers.size() < kMinBoardSize || numbers.size() > kMaxBoardSize)
        throw std::invalid_argument("board size outside the board-size range");
    FListener->GameStarted();
    FBoard = numbers;
    FSettings.BoardSize = FBoard.size();
    // A current cell left over from a larger board would let a press address a cell outside
    // this one; bring it onto the board.
    FCurCol = std::clamp(FCurCol, 0, FBoard.size() - 1);
    FCurRow = std::clamp(FCurRow, 0, FBoard.size() - 1);
    FListener->BoardChanged();
    FFreeChoice = true;
    FGameActive = true;
    FBusy = false;
    FPlayerScore = FCompScore = 0;
    FPlayerLast = FCompLast = 0;
    FListener->ScoresChanged();
}

bool TNumbraxGame::PointerMove(int col, int row)
{
    if (!FGameActive || FBusy)
        return false;
    const int n = FBoard.size();
    const bool colInside = col >= 0 && col < n;
    const bool rowInside = row >= 0 && row < n;
    if (FFreeChoice) {
        if (colInside && rowInside) {
            FCurCol = col;
            FCurRow = row;
        }
    } else if (!FSettings.GoByCols) {
        if (colInside)
            FCurCol = col;
    } else if (rowInside) {
        FCurRow = row;
    }
    return true;
}

void TNumbraxGame::Press()
{
    if (!FGameActive)
        return;
    // Even a press that takes nothing ends the free choice of the first pick.
    FFreeChoice = false;
    if (!FBoard.contains(FCurCol, FCurRow))
        return;
    if (FBoard.taken(FCurCol, FCurRow)) {
        // Nothing to take. The player's line still holds a number unless this was the first
        // press, on a cell whose line is empty; left so, no side could ever move again, so the
        // player passes like after any pick that left its line empty.
        if (!PlayerLineHasMove() && !CheckGameOver())
            ComputerTurn(true);
        return;
    }
    Take(Side::Player, FCurCol, FCurRow);

    if (!ComputerLineHasMove()) {
        if (!CheckGameOver())
            FListener->MustPass(Side::Computer);
        return; // the player picks again along the same line
    }
    ComputerTurn(false);
}

void TNumbraxGame::ComputerTurn(bool playerPasses)
{
    FlagGuard busy(FBusy);
    if (playerPasses)
        FListener->MustPass(Side::Player);
    for (;;) {
        ComputerMove();
        if (PlayerLineHasMove() || CheckGameOver())
            break;
        // The player's line is empty but the computer's is not: it picks again.
        FListener->MustPass(Side::Player);
    }
}

std::int32_t TNumbraxGame::BestInRow(int row) const
{
    std::int32_t best = kNoBest;
    for (int col = 0; col < FBoard.size(); ++col) {
        const std::int32_t v = FBoard.value(col, row);
        if (v != 0 && v > best)
            best = v;
    }
    return best;
}

std::int32_t TNumbraxGame::BestInCol(int col) const
{
    std::int32_t best = kNoBest;
    for (int row = 0; row < FBoard.size(); ++row) {
        const std::int32_t v = FBoard.value(col, row);
        if (v != 0 && v > best)
            best = v;
    }
    return best;
}

void TNumbraxGame::ComputerMove()
{
    // Each candidate weighs its own value against the best number it would open to the
    // player: 2v - m, m counting the candidate itself. The best score wins, the lowest index
    // among equals; unlike a scan against a fixed floor this also chooses when every score is
    // very low (negative numbers near the largest limit).
    const bool byCols = FSettings.GoByCols;
    std::optional<std::int64_t> best;
    int chosen = -1;
    for (int i = 0; i < FBoard.size(); ++i) {
        const std::int32_t v = byCols ? FBoard.value(i, FCurRow) : FBoard.value(FCurCol, i);
        if (v == 0)
            continue;
        const std::int32_t m = byCols ? BestInCol(i) : BestInRow(i);
        const std::int64_t score = 2 * std::int64_t(v) - m;
        if (!best || score > *best) {
            best = score;
            chosen = i;
        }
    }
    if (chosen < 0)
        return; // the line holds no number; the turn logic never asks for a move then
    if (byCols)
        FCurCol = chosen;
    else
        FCurRow = chosen;
    Take(Side::Computer, FCurCol, FCurRow);
}

bool TNumbraxGame::CheckGameOver()
{
    if (!RowIsEmpty(FCurRow) || !ColIsEmpty(FCurCol))
        return false;
    GameResult result = GameResult::PlayerWon;
    if (FCompScore == FPlayerScore)
        result = GameResult::Draw;
    else if (FCompScore > FPlayerScore)
        result = GameResult::ComputerWon;
    FGameActive = false;
    FListener->GameOver(result, FPlayerScore, FCompScore);
    return true;
}

void TNumbraxGame::ClearBoard()
{
    FBoard.clear();
    FListener->BoardChanged();
}

void TNumbraxGame::AbortGame()
{
    ClearBoard();
    FGameActive = false;
}

void TNumbraxGame::Take(Side side, int col, int row)
{
    const std::int32_t value = FBoard.value(col, row);
    if (side == Side::Player) {
        FPlayerLast = value;
        FPlayerScore += value;
    } else {
        FCompLast = value;
        FCompScore += value;
    }
    FListener->ScoresChanged();
    FBoard.setNumber(col, row, 0);
    FListener->Picked(side, col, row, value);
}

} // namespace numbrax
