// SPDX-License-Identifier: MIT
#include "BoardText.h"

namespace numbrax {

namespace {
constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kBlankCell = ".";
} // namespace

std::vector<std::string> SplitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t pos = 0;
    while ((pos = line.find_first_not_of(kBlanks, pos)) != std::string_view::npos) {
        std::size_t end = line.find_first_of(kBlanks, pos);
        if (end == std::string_view::npos)
            end = line.size();
        words.emplace_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::optional<Board> BoardFromRows(const std::vector<std::string> &rows)
{
    const int n = int(rows.size());
    if (n < 1)
        return std::nullopt;
    Board board(n);
    for (int row = 0; row < n; ++row) {
        std::vector<std::string> words = SplitWords(rows[std::size_t(row)]);
        if (int(words.size()) != n)
            return std::nullopt;
        for (int col = 0; col < n; ++col) {
            std::string &word = words[std::size_t(col)];
            board.setText(col, row, word == kBlankCell ? std::string() : std::move(word));
        }
    }
    return board;
}

std::optional<Board> BoardFromText(std::string_view text)
{
    std::vector<std::string> rows;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        if (line.find_first_not_of(kBlanks) != std::string_view::npos)
            rows.emplace_back(line);
        pos = end + 1;
    }
    return BoardFromRows(rows);
}

std::string BoardToText(const Board &board)
{
    std::string text;
    for (int row = 0; row < board.size(); ++row) {
        for (int col = 0; col < board.size(); ++col) {
            if (col > 0)
                text += ' ';
            const std::string &cell = board.text(col, row);
            text += cell.empty() ? kBlankCell : std::string_view(cell);
        }
        text += '\n';
    }
    return text;
}

} // namespace numbrax
