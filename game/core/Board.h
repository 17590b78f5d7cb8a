// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numbrax {

// The value of a cell text: the text read as a decimal integer in the 32-bit range, as
// integer-to-text writes it (an optional sign, then digits). Anything else, the blank text
// included, has the value 0.
std::int32_t CellTextValue(std::string_view text);

// A square grid of text cells addressed (column, row) from 0. Each cell keeps its value beside
// its text, so scans over the board read integers instead of parsing text again.
class Board
{
public:
    // A board of size x size blank cells; size must be at least 1.
    explicit Board(int size);

    int size() const { return FSize; }
    bool contains(int col, int row) const { return col >= 0 && row >= 0 && col < FSize && row < FSize; }

    // Cell access outside the board throws std::out_of_range.
    const std::string &text(int col, int row) const { return FTexts[index(col, row)]; }
    std::int32_t value(int col, int row) const { return FValues[index(col, row)]; }
    // A taken cell reads "0": picked, or generated empty. Nobody can pick it. A blank cell (no
    // game yet, or a cleared board) is not taken, though its value is 0 as well.
    bool taken(int col, int row) const { return text(col, row) == "0"; }
    void setText(int col, int row, std::string text);
    void setNumber(int col, int row, std::int32_t value);

    // Changes the size the way a string grid does: cells inside both sizes keep their texts,
    // new cells are blank.
    void resize(int size);
    // Makes every cell blank.
    void clear();

    bool operator==(const Board &other) const = default;

private:
    // Inline, so that scans over the board cost a compare and a load per cell.
    std::size_t index(int col, int row) const
    {
        if (!contains(col, row))
            throwOutside();
        return std::size_t(row) * std::size_t(FSize) + std::size_t(col);
    }
    [[noreturn]] static void throwOutside();

    int FSize;
    std::vector<std::string> FTexts;   // row-major
    std::vector<std::int32_t> FValues; // CellTextValue of each text
};

} // namespace numbrax
