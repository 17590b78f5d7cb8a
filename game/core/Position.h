// SPDX-License-Identifier: MIT
#pragma once

#include "Board.h"
#include "Rules.h"

#include <cstdint>
#include <vector>

namespace numbrax {

// A game reduced to what the computer's strengths, the hint and the tools search over: the
// numbers, the side to pick and its line, both totals. It copies what it needs from the board,
// so a search on one touches nothing of the game it came from.
//
// Inside, the board is turned so that the player always picks along a row and the computer along
// a column; a pick is the index of its cell in that turned board (row * size + column), and cell()
// gives the board's own coordinates. Lines keep their count of numbers and their largest number,
// so that a pick and its take-back cost a line's length at most.
class Position
{
public:
    // The game on `board` with `toMove` to pick through the current cell `current`; with
    // `freeChoice` the player may pick any number of the board. When the side to move has no
    // number in its line it passes as in the game, and when neither has the game is over.
    Position(const Board &board, bool goByCols, Side toMove, Cell current, bool freeChoice = false);

    int size() const { return FSize; }
    bool over() const { return FOver; }
    Side toMove() const { return FToMove; }
    bool freeChoice() const { return FFreeChoice; }
    // The line the side to move picks in: a row for the player, a column for the computer.
    int line() const { return FLine; }

    // The picks open to the side to move, in the order of their cells along its line (or, in the
    // free choice, of the turned board, row by row). Empty once the game is over.
    std::vector<int> moves() const;
    void appendMoves(std::vector<int> &out) const;

    // Takes the number at pick `move` for the side to move and turns the play over by the rules.
    void play(int move);
    // Takes back the last play().
    void undo();
    int played() const { return int(FHistory.size()); }

    std::int32_t value(int move) const { return FCells[std::size_t(move)]; }
    // The board's coordinates of a pick, and the pick at a cell of the board.
    Cell cell(int move) const;
    int moveAt(Cell cell) const;
    // The line through a pick's cell in which the other side would pick after it: the column of
    // a player's pick, the row of a computer's.
    int crossLine(int move) const { return FToMove == Side::Player ? move % FSize : move / FSize; }

    int rowCount(int row) const { return FRowCount[std::size_t(row)]; }
    int colCount(int col) const { return FColCount[std::size_t(col)]; }
    // The largest number of a line, or kNoNumber when it holds none.
    std::int32_t rowMax(int row) const { return FRowMax[std::size_t(row)]; }
    std::int32_t colMax(int col) const { return FColMax[std::size_t(col)]; }
    // The same for the line the side picking after `side` would pick in, given its index.
    std::int32_t lineMax(Side side, int line) const { return side == Side::Player ? rowMax(line) : colMax(line); }
    int lineCount(Side side, int line) const { return side == Side::Player ? rowCount(line) : colCount(line); }
    // The pick at index i along `side`'s line `line`.
    int lineMove(Side side, int line, int i) const { return side == Side::Player ? line * FSize + i : i * FSize + line; }
    int numbersLeft() const { return FNumbersLeft; }

    std::int64_t playerScore() const { return FPlayerScore; }
    std::int64_t compScore() const { return FCompScore; }
    // What the taken numbers make of this position: equal positions share it, whatever order
    // their picks came in.
    std::uint64_t takenKey() const { return FTakenKey; }
    // A fingerprint of the numbers left and the side to move with its line, the same on every
    // machine: the seed of whatever a strength draws at random.
    std::uint64_t fingerprint() const;

    static constexpr std::int32_t kNoNumber = INT32_MIN;

private:
    struct Played
    {
        int move;
        std::int32_t value;
        Side toMove;
        int line;
        bool freeChoice;
        bool over;
        std::int32_t rowMax;
        std::int32_t colMax;
    };

    void settleTurn(Side picker, int row, int col);
    std::int32_t scanRowMax(int row) const;
    std::int32_t scanColMax(int col) const;

    int FSize;
    bool FGoByCols;
    std::vector<std::int32_t> FCells; // turned, row by row; 0 where no number is
    std::vector<int> FRowCount;
    std::vector<int> FColCount;
    std::vector<std::int32_t> FRowMax;
    std::vector<std::int32_t> FColMax;
    std::vector<Played> FHistory;
    int FNumbersLeft = 0;
    Side FToMove;
    int FLine = 0;
    bool FFreeChoice;
    bool FOver = false;
    std::int64_t FPlayerScore = 0;
    std::int64_t FCompScore = 0;
    std::uint64_t FTakenKey = 0;
};

// A well-mixed 64-bit function of a 64-bit value (splitmix64's finaliser): Zobrist keys and
// seeded draws come from it, so they are the same on every machine and compiler.
constexpr std::uint64_t Mix64(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace numbrax
