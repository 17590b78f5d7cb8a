// SPDX-License-Identifier: MIT
#pragma once

#include "Board.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numbrax {

// Boards as text: one line per row, from row 0 down; in each line the texts of the cells from
// column 0 rightwards, separated by blanks; "." stands for a blank cell.

// The words of a line, split at blanks and tabs.
std::vector<std::string> SplitWords(std::string_view line);

// A board from its rows; nullopt unless there are N rows of N texts each.
std::optional<Board> BoardFromRows(const std::vector<std::string> &rows);

// A board from text; lines holding only blanks are skipped, so a board can be written
// indented inside a raw string.
std::optional<Board> BoardFromText(std::string_view text);

// The board as text, each row ended by a newline.
std::string BoardToText(const Board &board);

} // namespace numbrax
