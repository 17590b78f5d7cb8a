// SPDX-License-Identifier: MIT
#pragma once

#include "Board.h"
#include "Rules.h"
#include "Settings.h"
#include "Strength.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace numbrax {

// What a view of the game listens to: what happened, never how to say it. Every call comes
// synchronously from inside the game's operations, and the game goes on only when it returns,
// so a view may hold the player (a message box) before the next pick.
class TGameListener
{
public:
    virtual ~TGameListener() = default;

    // A new game began: a fresh board, both scores and last picks 0, the first pick free.
    virtual void GameStarted() {}
    // A side took the cell (col, row) worth value; the cell already reads "0" and the score
    // includes the value.
    virtual void Picked(Side, int /*col*/, int /*row*/, std::int32_t /*value*/) {}
    // The side's line through the current cell holds no number: it passes, and the other side
    // picks again.
    virtual void MustPass(Side) {}
    // Neither line through the current cell holds a number: the game is over.
    virtual void GameOver(GameResult, std::int64_t /*playerScore*/, std::int64_t /*compScore*/) {}
    // Any cell may have changed, or the board changed its size.
    virtual void BoardChanged() {}
    // A score or a last pick changed.
    virtual void ScoresChanged() {}
    // The player's last pick and the computer's answers to it were taken back; the board, the
    // scores and the current cell already read as they did before that pick.
    virtual void TookBack() {}
};

// Runs a piece of the computer's thinking and returns once it has finished. The job works on a
// copy of what it needs and touches nothing of the game, so a runner may hand it to another
// thread and keep the window painting while it waits.
using TThinkRunner = std::function<void(const std::function<void()> &job)>;

// The game: the board, both scores, the current cell, the settings and the turn rules. It
// knows nothing of windows or words; a view calls NewGame, PointerMove and Press, listens to
// what happens and repaints from what it reads back.
class TNumbraxGame
{
public:
    explicit TNumbraxGame(TGameListener *listener = nullptr);

    void setListener(TGameListener *listener) { FListener = listener ? listener : &FSilent; }

    const Settings &settings() const { return FSettings; }
    // Takes the settings brought into range. A new board size applies at once, keeping the
    // cells inside both sizes like a string grid; the rest apply from the next new game on.
    void SetSettings(const Settings &settings);

    // A new game on a fresh random board under the current settings, the generator seeded from
    // the clock.
    void NewGame();
    // The same with a given seed: the same settings and seed give the same board.
    void NewGame(std::uint64_t seed);
    // A game on the given numbers instead of random ones. The board's size must lie in the
    // board-size range (std::invalid_argument otherwise) and becomes the size setting.
    void StartGame(const Board &numbers);

    // The pointer moved over cell (col, row); a coordinate outside every cell is -1 (any value
    // outside the board counts the same). Returns false when the game ignores the pointer (no
    // game in progress, or the computer's turn).
    bool PointerMove(int col, int row);
    // A press on the board: the player takes the current cell and the computer answers. Ignored
    // during the computer's turn, as a window may go on handling input while the computer thinks.
    void Press();

    // How hard the computer plays, from its next pick on. Normal unless set.
    void SetStrength(Strength strength) { FStrength = strength; }
    Strength strength() const { return FStrength; }
    // Where the strongest search would pick for the player now; nothing when no game is in
    // progress, during the computer's turn, or when the player has nothing to pick. It takes
    // nothing and changes nothing.
    std::optional<Cell> Hint() const;
    // Takes back the player's last pick together with the computer's answers to it, as far back
    // as the start of the game, also after the game has ended (it then goes on).
    bool CanUndo() const;
    void Undo();
    // Where the computer's picks and the hints are worked out; by default at once, in the call.
    void setThinkRunner(TThinkRunner runner);

    // Blanks every cell (the options command does this before new settings take effect).
    void ClearBoard();
    // Ends a game in progress on a blank board; the scores stay.
    void AbortGame();

    // State, read-only.
    const Board &board() const { return FBoard; }
    int BoardSize() const { return FBoard.size(); }
    std::int32_t CellValue(int col, int row) const { return FBoard.value(col, row); }
    bool ColIsEmpty(int col) const;
    bool RowIsEmpty(int row) const;
    std::int64_t PlayerScore() const { return FPlayerScore; }
    std::int64_t CompScore() const { return FCompScore; }
    std::int32_t PlayerLast() const { return FPlayerLast; }
    std::int32_t CompLast() const { return FCompLast; }
    int CurCol() const { return FCurCol; }
    int CurRow() const { return FCurRow; }
    bool Busy() const { return FBusy; }
    bool GameActive() const { return FGameActive; }
    bool FreeChoice() const { return FFreeChoice; }

private:
    // What a take-back restores: the state before a press and the cells it changed.
    struct TakeBack
    {
        std::int64_t playerScore;
        std::int64_t compScore;
        std::int32_t playerLast;
        std::int32_t compLast;
        int curCol;
        int curRow;
        bool freeChoice;
        bool gameActive;
        std::vector<std::pair<Cell, std::string>> cells; // in the order they were taken
    };

    std::int32_t RandomCellValue();
    bool PlayerLineHasMove() const { return FSettings.GoByCols ? !ColIsEmpty(FCurCol) : !RowIsEmpty(FCurRow); }
    bool ComputerLineHasMove() const { return FSettings.GoByCols ? !RowIsEmpty(FCurRow) : !ColIsEmpty(FCurCol); }
    void PlayerTurn();
    // The computer picks until the player's line holds a number or the game is over.
    void ComputerTurn(bool playerPasses);
    // False when the game was replaced while the computer was thinking.
    bool ComputerMove();
    bool CheckGameOver();
    void EndGame();
    void Take(Side side, int col, int row);
    // Something replaced or rewound the game: a computer's pick or a hint still being thought
    // out belongs to a game that is gone.
    void Forget() { ++FEpoch; }
    void ForgetHistory()
    {
        Forget();
        FHistory.clear();
    }
    void Think(const std::function<void()> &job) const;

    TGameListener FSilent;
    TGameListener *FListener;
    Settings FSettings;
    Board FBoard{FSettings.BoardSize};
    std::mt19937_64 FRandom;

    // Totals are 64-bit: a board given to StartGame may hold numbers up to the 32-bit limit.
    std::int64_t FPlayerScore = 0;
    std::int64_t FCompScore = 0;
    std::int32_t FPlayerLast = 0;
    std::int32_t FCompLast = 0;
    int FCurRow = 0;
    int FCurCol = 0;
    bool FBusy = false;
    bool FGameActive = false;
    bool FFreeChoice = false;

    Strength FStrength = Strength::Normal;
    TThinkRunner FThinkRunner;
    std::vector<TakeBack> FHistory;
    TakeBack *FRecording = nullptr; // the press under way, while one is
    std::uint64_t FEpoch = 0;
};

} // namespace numbrax
