// SPDX-License-Identifier: MIT
#pragma once

#include "Board.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace numbrax {

inline constexpr std::int32_t kMinNumberLimit = 2;
inline constexpr std::int32_t kMaxNumberLimit = 999999;
inline constexpr std::int32_t kDefaultNumberLimit = 10;

// The texts the game shows to the player.
namespace texts {
inline constexpr std::string_view ComputerCannotMove = "Компьютеру некуда ходить. Ваш ход.";
inline constexpr std::string_view PlayerCannotMove = "Вам некуда ходить. Ход комьютера.";
inline constexpr std::string_view GameOver = "Конец игры. ";
inline constexpr std::string_view Draw = "Ничья";
inline constexpr std::string_view PlayerLost = "Очень жаль, но Вы проиграли.";
inline constexpr std::string_view PlayerWon = "Поздравляю! Вы выиграли.";
} // namespace texts

enum class Side { Player, Computer };

// What a view of the game listens to. Every call comes synchronously from inside the game's
// operations; Message() is modal: the game goes on only when it returns.
class TGameListener
{
public:
    virtual ~TGameListener() = default;

    // A side took the cell (col, row) worth value; the cell already reads "0" and the score
    // includes the value.
    virtual void Picked(Side, int /*col*/, int /*row*/, std::int32_t /*value*/) {}
    // Any cell may have changed, or the board changed its size.
    virtual void BoardChanged() {}
    // A score or a last pick changed.
    virtual void ScoresChanged() {}
    // The result text (the score panel's caption) changed.
    virtual void ResultTextChanged() {}
    // A message for the player, shown before the game goes on.
    virtual void Message(const std::string & /*text*/) {}
};

// The game: the board, both scores, the current cell, the five settings and the turn rules.
// It knows nothing of windows; a view calls NewGame, PointerMove and Press and repaints from
// what it reads back.
class TNumbraxGame
{
public:
    explicit TNumbraxGame(TGameListener *listener = nullptr);

    void setListener(TGameListener *listener) { FListener = listener ? listener : &FSilent; }

    // Settings. Values outside their ranges are brought to the nearest bound, since a number
    // limit below 2 would make board generation endless.
    int BoardSize() const { return FBoard.size(); }
    void SetBoardSize(int size); // keeps the cells inside both sizes, like a string grid
    std::int32_t MaxNum() const { return FMaxNum; }
    void SetMaxNum(std::int32_t limit);
    bool GoByCols() const { return FGoByCols; }
    void SetGoByCols(bool value) { FGoByCols = value; }
    bool NegativNum() const { return FNegativNum; }
    void SetNegativNum(bool value) { FNegativNum = value; }
    bool UseNullCells() const { return FUseNullCells; }
    void SetUseNullCells(bool value) { FUseNullCells = value; }

    // State.
    const Board &board() const { return FBoard; }
    std::int64_t PlayerScore() const { return FPlayerScore; }
    std::int64_t CompScore() const { return FCompScore; }
    std::int32_t PlayerLast() const { return FPlayerLast; }
    std::int32_t CompLast() const { return FCompLast; }
    int CurCol() const { return FCurCol; }
    int CurRow() const { return FCurRow; }
    bool Busy() const { return FBusy; }
    bool GameActive() const { return FGameActive; }
    bool FreeChoice() const { return FFreeChoice; }
    const std::string &ResultText() const { return FResultText; }

    std::int32_t CellValue(int col, int row) const { return FBoard.value(col, row); }
    bool ColIsEmpty(int col) const;
    bool RowIsEmpty(int row) const;

    // One generated board number under the current settings.
    std::int32_t RandomCellValue();
    // Makes the generator's draws repeatable; a new game reseeds it from the clock.
    void Reseed(std::uint64_t seed);

    // "Новая игра": a fresh random board under the current settings.
    void NewGame();
    // The same with the given numbers instead of random ones; the board takes their size.
    void StartGame(const Board &numbers);

    // The pointer moved over cell (col, row); a coordinate outside every cell is -1 (any value
    // outside the board counts the same). Returns false when the game ignores the pointer (no
    // game in progress, or the computer's turn).
    bool PointerMove(int col, int row);
    // A press on the board: the player takes the current cell and the computer answers.
    void Press();

    // The largest nonzero value of a line, the first cell where it stands in foundAt; -999999
    // and foundAt untouched when the line holds no number.
    std::int32_t BestInRow(int row, int &foundAt) const;
    std::int32_t BestInCol(int col, int &foundAt) const;
    // The computer takes a cell of its line, which becomes the current cell.
    void ComputerMove();
    // True, after announcing the result, when neither line through the current cell has a move.
    bool CheckGameOver();

    // Blanks every cell (the options command does this before new settings take effect).
    void ClearBoard();
    // Ends a game in progress on a blank board; the scores stay.
    void AbortGame();

    void SetPlayerScore(std::int64_t value);
    void SetCompScore(std::int64_t value);
    void AddPlayerScore(std::int32_t value);
    void AddCompScore(std::int32_t value);

private:
    bool PlayerLineHasMove() const { return FGoByCols ? !ColIsEmpty(FCurCol) : !RowIsEmpty(FCurRow); }
    bool ComputerLineHasMove() const { return FGoByCols ? !RowIsEmpty(FCurRow) : !ColIsEmpty(FCurCol); }
    void Take(Side side, int col, int row);
    void SetResultText(std::string text);

    TGameListener FSilent;
    TGameListener *FListener;
    Board FBoard;
    std::mt19937_64 FRandom;

    // Totals are 64-bit: 2500 picks of up to 999998 overflow 32 bits.
    std::int64_t FPlayerScore = 0;
    std::int64_t FCompScore = 0;
    std::int32_t FPlayerLast = 0;
    std::int32_t FCompLast = 0;
    int FCurRow = 0;
    int FCurCol = 0;
    std::int32_t FMaxNum = kDefaultNumberLimit;
    bool FGoByCols = false;
    bool FNegativNum = false;
    bool FUseNullCells = false;
    bool FBusy = false;
    bool FGameActive = false;
    bool FFreeChoice = false;
    std::string FResultText;
};

} // namespace numbrax
