// SPDX-License-Identifier: MIT
#include "NumbraxGame.h"

#include "Search.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <stdexcept>

namespace numbrax {

namespace {

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
        ForgetHistory();
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
    ForgetHistory();
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
    if (!FGameActive || FBusy || FRecording)
        return;
    TakeBack record{FPlayerScore, FCompScore, FPlayerLast, FCompLast, FCurCol, FCurRow, FFreeChoice, FGameActive, {}};
    Forget();
    const std::uint64_t epoch = FEpoch;
    {
        struct Recording
        {
            TakeBack *&slot;
            ~Recording() { slot = nullptr; }
        } recording{FRecording = &record};
        PlayerTurn();
    }
    // A press that changed nothing has nothing to take back; one during which the game was
    // replaced belongs to no game.
    if (epoch == FEpoch && (!record.cells.empty() || record.freeChoice != FFreeChoice))
        FHistory.push_back(std::move(record));
}

void TNumbraxGame::PlayerTurn()
{
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

    const std::optional<Side> next = NextPicker(Side::Player, PlayerLineHasMove(), ComputerLineHasMove());
    if (next == Side::Computer)
        ComputerTurn(false);
    else if (next == Side::Player)
        FListener->MustPass(Side::Computer); // the player picks again along the same line
    else
        EndGame();
}

void TNumbraxGame::ComputerTurn(bool playerPasses)
{
    FlagGuard busy(FBusy);
    const std::uint64_t epoch = FEpoch;
    if (playerPasses)
        FListener->MustPass(Side::Player);
    while (epoch == FEpoch && ComputerMove()) {
        const std::optional<Side> next = NextPicker(Side::Computer, PlayerLineHasMove(), ComputerLineHasMove());
        if (next == Side::Player)
            break;
        if (!next) {
            EndGame();
            break;
        }
        // The player's line is empty but the computer's is not: it picks again.
        FListener->MustPass(Side::Player);
    }
}

void TNumbraxGame::Think(const std::function<void()> &job) const
{
    bool ran = false;
    const std::function<void()> once = [&] {
        if (!ran) {
            ran = true;
            job();
        }
    };
    if (FThinkRunner)
        FThinkRunner(once);
    // A runner that dropped the job would leave the computer without a pick.
    if (!ran)
        once();
}

void TNumbraxGame::setThinkRunner(TThinkRunner runner)
{
    FThinkRunner = std::move(runner);
}

bool TNumbraxGame::ComputerMove()
{
    const Position snapshot(FBoard, FSettings.GoByCols, Side::Computer, {FCurCol, FCurRow});
    if (snapshot.over() || snapshot.toMove() != Side::Computer)
        return false; // the line holds no number; the turn logic never asks for a move then
    const Strength strength = FStrength;
    const std::uint64_t epoch = FEpoch;
    int pick = -1;
    Think([&] { pick = ChoosePick(snapshot, strength); });
    if (epoch != FEpoch || pick < 0)
        return false;
    const Cell at = snapshot.cell(pick);
    FCurCol = at.col;
    FCurRow = at.row;
    Take(Side::Computer, FCurCol, FCurRow);
    return true;
}

std::optional<Cell> TNumbraxGame::Hint() const
{
    if (!FGameActive || FBusy || FRecording || !FBoard.contains(FCurCol, FCurRow))
        return std::nullopt;
    const Position snapshot(FBoard, FSettings.GoByCols, Side::Player, {FCurCol, FCurRow}, FFreeChoice);
    if (snapshot.over() || snapshot.toMove() != Side::Player)
        return std::nullopt;
    const std::uint64_t epoch = FEpoch;
    int pick = -1;
    Think([&] { pick = ChoosePick(snapshot, Strength::Master); });
    if (epoch != FEpoch || pick < 0)
        return std::nullopt;
    return snapshot.cell(pick);
}

bool TNumbraxGame::CanUndo() const
{
    return !FHistory.empty() && !FBusy && !FRecording;
}

void TNumbraxGame::Undo()
{
    if (!CanUndo())
        return;
    const TakeBack last = std::move(FHistory.back());
    FHistory.pop_back();
    Forget();
    for (auto it = last.cells.rbegin(); it != last.cells.rend(); ++it)
        FBoard.setText(it->first.col, it->first.row, it->second);
    FPlayerScore = last.playerScore;
    FCompScore = last.compScore;
    FPlayerLast = last.playerLast;
    FCompLast = last.compLast;
    FCurCol = last.curCol;
    FCurRow = last.curRow;
    FFreeChoice = last.freeChoice;
    FGameActive = last.gameActive;
    FListener->BoardChanged();
    FListener->ScoresChanged();
    FListener->TookBack();
}

bool TNumbraxGame::CheckGameOver()
{
    if (!RowIsEmpty(FCurRow) || !ColIsEmpty(FCurCol))
        return false;
    EndGame();
    return true;
}

void TNumbraxGame::EndGame()
{
    FGameActive = false;
    FListener->GameOver(ResultOf(FPlayerScore, FCompScore), FPlayerScore, FCompScore);
}

void TNumbraxGame::ClearBoard()
{
    ForgetHistory();
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
    if (FRecording)
        FRecording->cells.emplace_back(Cell{col, row}, FBoard.text(col, row));
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
