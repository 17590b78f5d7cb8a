// SPDX-License-Identifier: MIT
#include "Position.h"

#include <stdexcept>

namespace numbrax {

namespace {

// The Zobrist key of a taken cell: a pick's index mixed, so no table is needed.
std::uint64_t TakenCellKey(int move)
{
    return Mix64(std::uint64_t(move) ^ 0x5deece66dULL);
}

} // namespace

Position::Position(const Board &board, bool goByCols, Side toMove, Cell current, bool freeChoice)
    : FSize(board.size())
    , FGoByCols(goByCols)
    , FCells(std::size_t(FSize) * std::size_t(FSize), 0)
    , FRowCount(std::size_t(FSize), 0)
    , FColCount(std::size_t(FSize), 0)
    , FRowMax(std::size_t(FSize), kNoNumber)
    , FColMax(std::size_t(FSize), kNoNumber)
    , FToMove(toMove)
    , FFreeChoice(freeChoice && toMove == Side::Player)
{
    if (!board.contains(current.col, current.row))
        throw std::out_of_range("current cell outside the board");
    for (int row = 0; row < FSize; ++row)
        for (int col = 0; col < FSize; ++col) {
            const Cell at = goByCols ? Cell{row, col} : Cell{col, row};
            const std::int32_t v = board.value(at.col, at.row);
            FCells[std::size_t(row * FSize + col)] = v;
            if (v == 0)
                continue;
            ++FNumbersLeft;
            ++FRowCount[std::size_t(row)];
            ++FColCount[std::size_t(col)];
            FRowMax[std::size_t(row)] = std::max(FRowMax[std::size_t(row)], v);
            FColMax[std::size_t(col)] = std::max(FColMax[std::size_t(col)], v);
        }
    const int at = moveAt(current);
    const int row = at / FSize;
    const int col = at % FSize;
    if (FFreeChoice) {
        FOver = FNumbersLeft == 0;
        return;
    }
    // A side without a number in its line passes, as it would in the game: the side that would
    // have picked before it is asked first.
    FLine = toMove == Side::Player ? row : col;
    if (lineCount(toMove, FLine) == 0)
        settleTurn(Opponent(toMove), row, col);
}

void Position::settleTurn(Side picker, int row, int col)
{
    const std::optional<Side> next = NextPicker(picker, FRowCount[std::size_t(row)] > 0, FColCount[std::size_t(col)] > 0);
    FOver = !next;
    if (next) {
        FToMove = *next;
        FLine = *next == Side::Player ? row : col;
    }
}

std::vector<int> Position::moves() const
{
    std::vector<int> out;
    appendMoves(out);
    return out;
}

void Position::appendMoves(std::vector<int> &out) const
{
    if (FOver)
        return;
    if (FFreeChoice) {
        for (int move = 0; move < FSize * FSize; ++move)
            if (FCells[std::size_t(move)] != 0)
                out.push_back(move);
        return;
    }
    for (int i = 0; i < FSize; ++i) {
        const int move = lineMove(FToMove, FLine, i);
        if (FCells[std::size_t(move)] != 0)
            out.push_back(move);
    }
}

Cell Position::cell(int move) const
{
    const int row = move / FSize;
    const int col = move % FSize;
    return FGoByCols ? Cell{row, col} : Cell{col, row};
}

int Position::moveAt(Cell at) const
{
    return FGoByCols ? at.col * FSize + at.row : at.row * FSize + at.col;
}

std::int32_t Position::scanRowMax(int row) const
{
    std::int32_t best = kNoNumber;
    const std::int32_t *cells = &FCells[std::size_t(row * FSize)];
    for (int col = 0; col < FSize; ++col)
        if (cells[col] != 0 && cells[col] > best)
            best = cells[col];
    return best;
}

std::int32_t Position::scanColMax(int col) const
{
    std::int32_t best = kNoNumber;
    for (int row = 0; row < FSize; ++row) {
        const std::int32_t v = FCells[std::size_t(row * FSize + col)];
        if (v != 0 && v > best)
            best = v;
    }
    return best;
}

void Position::play(int move)
{
    const std::int32_t v = FCells[std::size_t(move)];
    if (FOver || v == 0)
        throw std::logic_error("no number to take there");
    const int row = move / FSize;
    const int col = move % FSize;
    FHistory.push_back({move, v, FToMove, FLine, FFreeChoice, FOver, FRowMax[std::size_t(row)], FColMax[std::size_t(col)]});
    (FToMove == Side::Player ? FPlayerScore : FCompScore) += v;
    FCells[std::size_t(move)] = 0;
    --FNumbersLeft;
    --FRowCount[std::size_t(row)];
    --FColCount[std::size_t(col)];
    if (v == FRowMax[std::size_t(row)])
        FRowMax[std::size_t(row)] = scanRowMax(row);
    if (v == FColMax[std::size_t(col)])
        FColMax[std::size_t(col)] = scanColMax(col);
    FTakenKey ^= TakenCellKey(move);
    FFreeChoice = false;
    settleTurn(FToMove, row, col);
}

void Position::undo()
{
    if (FHistory.empty())
        throw std::logic_error("nothing to take back");
    const Played last = FHistory.back();
    FHistory.pop_back();
    const int row = last.move / FSize;
    const int col = last.move % FSize;
    FCells[std::size_t(last.move)] = last.value;
    ++FNumbersLeft;
    ++FRowCount[std::size_t(row)];
    ++FColCount[std::size_t(col)];
    FRowMax[std::size_t(row)] = last.rowMax;
    FColMax[std::size_t(col)] = last.colMax;
    FTakenKey ^= TakenCellKey(last.move);
    FToMove = last.toMove;
    FLine = last.line;
    FFreeChoice = last.freeChoice;
    FOver = last.over;
    (FToMove == Side::Player ? FPlayerScore : FCompScore) -= last.value;
}

std::uint64_t Position::fingerprint() const
{
    std::uint64_t h = Mix64(std::uint64_t(FSize));
    for (const std::int32_t v : FCells)
        h = Mix64(h ^ std::uint32_t(v));
    h = Mix64(h ^ (std::uint64_t(FLine) << 2) ^ (FToMove == Side::Player ? 1u : 0u) ^ (FFreeChoice ? 2u : 0u));
    return h;
}

} // namespace numbrax
