// SPDX-License-Identifier: MIT
#include "Board.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace numbrax {

std::int32_t CellTextValue(std::string_view text)
{
    // from_chars takes a leading '-' but not '+'; a '+' may not be followed by another sign.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return 0;
    }
    if (text.empty())
        return 0;
    std::int32_t value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    if (ec != std::errc() || ptr != end)
        return 0; // not a number, trailing characters, or outside the 32-bit range
    return value;
}

Board::Board(int size)
    : FSize(size)
{
    if (size < 1)
        throw std::invalid_argument("board size must be at least 1");
    FTexts.resize(std::size_t(size) * std::size_t(size));
    FValues.resize(FTexts.size(), 0);
}

void Board::throwOutside()
{
    throw std::out_of_range("cell outside the board");
}

void Board::setText(int col, int row, std::string text)
{
    const std::size_t i = index(col, row);
    FValues[i] = CellTextValue(text);
    FTexts[i] = std::move(text);
}

void Board::setNumber(int col, int row, std::int32_t value)
{
    const std::size_t i = index(col, row);
    FValues[i] = value;
    FTexts[i] = std::to_string(value);
}

void Board::resize(int size)
{
    if (size < 1)
        throw std::invalid_argument("board size must be at least 1");
    if (size == FSize)
        return;
    Board resized(size);
    const int common = std::min(size, FSize);
    for (int row = 0; row < common; ++row)
        for (int col = 0; col < common; ++col) {
            const std::size_t from = index(col, row);
            const std::size_t to = resized.index(col, row);
            resized.FTexts[to] = std::move(FTexts[from]);
            resized.FValues[to] = FValues[from];
        }
    *this = std::move(resized);
}

void Board::clear()
{
    for (std::string &text : FTexts)
        text.clear();
    std::fill(FValues.begin(), FValues.end(), 0);
}

} // namespace numbrax
