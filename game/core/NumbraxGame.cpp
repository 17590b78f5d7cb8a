// SPDX-License-Identifier: MIT
#include "NumbraxGame.h"

#include <algorithm>
#include <chrono>
#include <optional>

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

void TNumbraxGame::SetBoardSize(int size)
{
    size = std::clamp(size, kMinBoardSize, kMaxBoardSize);
    if (size == FBoard.size())
        return;
    FBoard.resize(size);
    FListener->BoardChanged();
}

void TNumbraxGame::SetMaxNum(std::int32_t limit)
{
    FMaxNum = std::clamp(limit, kMinNumberLimit, kMaxNumberLimit);
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
    std::uniform_int_distribution<std::int32_t> magnitude(0, FMaxNum - 1);
    std::int32_t value;
    do {
        value = magnitude(FRandom);
    } while (value == 0 && !FUseNullCells); // ends: FMaxNum >= 2, so 1 can always be drawn
    if (FNegativNum) {
        std::uniform_real_distribution<double> coin(0.0, 1.0);
        if (coin(FRandom) > 0.5)
            value = -value;
    }
    return value;
}

void TNumbraxGame::Reseed(std::uint64_t seed)
{
    FRandom.seed(seed);
}

void TNumbraxGame::NewGame()
{
    // Nanoseconds, so that two new games in quick succession still get different boards.
    Reseed(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
    Board numbers(FBoard.size());
    for (int col = 0; col < numbers.size(); ++col)
        for (int row = 0; row < numbers.size(); ++row)
            numbers.setNumber(col, row, RandomCellValue());
    StartGame(numbers);
}

void TNumbraxGame::StartGame(const Board &numbers)
{
    SetResultText({});
    FBoard = numbers;
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
    } else if (!FGoByCols) {
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
    if (!FBoard.contains(FCurCol, FCurRow) || FBoard.text(FCurCol, FCurRow) == "0")
        return;
    Take(Side::Player, FCurCol, FCurRow);

    if (!ComputerLineHasMove()) {
        if (!CheckGameOver())
            FListener->Message(std::string(texts::ComputerCannotMove));
        return; // the player picks again along the same line
    }

    FlagGuard busy(FBusy);
    for (;;) {
        ComputerMove();
        if (PlayerLineHasMove() || CheckGameOver())
            break;
        // The player's line is empty but the computer's is not: it picks again.
        FListener->Message(std::string(texts::PlayerCannotMove));
    }
}

std::int32_t TNumbraxGame::BestInRow(int row, int &foundAt) const
{
    std::int32_t best = kNoBest;
    for (int col = 0; col < FBoard.size(); ++col) {
        const std::int32_t v = FBoard.value(col, row);
        if (v != 0 && v > best) {
            best = v;
            foundAt = col;
        }
    }
    return best;
}

std::int32_t TNumbraxGame::BestInCol(int col, int &foundAt) const
{
    std::int32_t best = kNoBest;
    for (int row = 0; row < FBoard.size(); ++row) {
        const std::int32_t v = FBoard.value(col, row);
        if (v != 0 && v > best) {
            best = v;
            foundAt = row;
        }
    }
    return best;
}

void TNumbraxGame::ComputerMove()
{
    // Each candidate weighs its own value against the best number it would open to the
    // player: 2v - m, m counting the candidate itself. The best score wins, the lowest index
    // among equals; unlike a scan against a fixed floor this also chooses when every score is
    // very low (negative numbers near the largest limit).
    std::optional<std::int64_t> best;
    int chosen = -1;
    for (int i = 0; i < FBoard.size(); ++i) {
        const std::int32_t v = FGoByCols ? FBoard.value(i, FCurRow) : FBoard.value(FCurCol, i);
        if (v == 0)
            continue;
        int unused = 0;
        const std::int32_t m = FGoByCols ? BestInCol(i, unused) : BestInRow(i, unused);
        const std::int64_t score = 2 * std::int64_t(v) - m;
        if (!best || score > *best) {
            best = score;
            chosen = i;
        }
    }
    if (chosen < 0)
        return; // the line holds no number; the turn logic never asks for a move then
    if (FGoByCols)
        FCurCol = chosen;
    else
        FCurRow = chosen;
    Take(Side::Computer, FCurCol, FCurRow);
}

bool TNumbraxGame::CheckGameOver()
{
    if (!RowIsEmpty(FCurRow) || !ColIsEmpty(FCurCol))
        return false;
    std::string_view result = texts::PlayerWon;
    if (FCompScore == FPlayerScore)
        result = texts::Draw;
    else if (FCompScore > FPlayerScore)
        result = texts::PlayerLost;
    FListener->Message(std::string(texts::GameOver) + std::string(result));
    SetResultText(std::string(result));
    FGameActive = false;
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

void TNumbraxGame::SetPlayerScore(std::int64_t value)
{
    FPlayerScore = value;
    FListener->ScoresChanged();
}

void TNumbraxGame::SetCompScore(std::int64_t value)
{
    FCompScore = value;
    FListener->ScoresChanged();
}

void TNumbraxGame::AddPlayerScore(std::int32_t value)
{
    FPlayerLast = value;
    SetPlayerScore(FPlayerScore + value);
}

void TNumbraxGame::AddCompScore(std::int32_t value)
{
    FCompLast = value;
    SetCompScore(FCompScore + value);
}

void TNumbraxGame::Take(Side side, int col, int row)
{
    const std::int32_t value = FBoard.value(col, row);
    if (side == Side::Player)
        AddPlayerScore(value);
    else
        AddCompScore(value);
    FBoard.setNumber(col, row, 0);
    FListener->Picked(side, col, row, value);
}

void TNumbraxGame::SetResultText(std::string text)
{
    if (text == FResultText)
        return;
    FResultText = std::move(text);
    FListener->ResultTextChanged();
}

} // namespace numbrax
