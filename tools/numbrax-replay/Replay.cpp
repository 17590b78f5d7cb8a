// SPDX-License-Identifier: MIT
#include "Replay.h"

#include "BoardText.h"
#include "GameTexts.h"
#include "NumbraxGame.h"

#include <charconv>
#include <functional>
#include <utility>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace numbrax {

namespace {

// Writes what a view would show, as lines of text.
class Transcript final : public TGameListener
{
public:
    explicit Transcript(std::ostream &out)
        : FOut(out)
    {
    }

    void Picked(Side side, int col, int row, std::int32_t value) override
    {
        FOut << (side == Side::Player ? "player " : "computer ") << col << ' ' << row << ' ' << value << '\n';
    }
    void MustPass(Side side) override { FOut << "message " << texts::PassMessage(side) << '\n'; }
    void GameOver(GameResult result, std::int64_t, std::int64_t) override
    {
        FOut << "message " << texts::GameOverMessage(result) << '\n';
        FOut << "panel " << texts::ResultText(result) << '\n';
    }

private:
    std::ostream &FOut;
};

struct ScriptError
{
    std::string what;
};

std::optional<int> ParseInt(const std::string &word)
{
    int value = 0;
    const char *end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (word.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

int Argument(const std::vector<std::string> &words, std::size_t i, int low, int high, const char *name)
{
    const std::optional<int> value = ParseInt(words[i]);
    if (!value || *value < low || *value > high)
        throw ScriptError{std::string(name) + " must be a whole number from " + std::to_string(low) + " to " +
                          std::to_string(high) + ", not \"" + words[i] + "\""};
    return *value;
}

void ExpectWords(const std::vector<std::string> &words, std::size_t count)
{
    if (words.size() != count)
        throw ScriptError{"\"" + words[0] + "\" takes " + std::to_string(count - 1) + " argument" +
                          (count == 2 ? "" : "s")};
}

std::optional<Strength> StrengthNamed(const std::string &name)
{
    static const std::pair<const char *, Strength> names[] = {
        {"novice", Strength::Novice}, {"normal", Strength::Normal}, {"strong", Strength::Strong}, {"master", Strength::Master}};
    for (const auto &[word, strength] : names)
        if (name == word)
            return strength;
    return std::nullopt;
}

// As std::getline, but it stops reading one byte past kMaxLineLength: the caller refuses such a
// line without the rest of it ever being held in memory.
bool ReadLine(std::istream &in, std::string &line)
{
    line.clear();
    std::istream::int_type c;
    while ((c = in.get()) != std::istream::traits_type::eof()) {
        if (c == '\n')
            return true;
        line.push_back(char(c));
        if (line.size() > kMaxLineLength)
            return true;
    }
    return !line.empty();
}

bool Skipped(const std::string &line)
{
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

} // namespace

int RunReplay(std::istream &in, std::ostream &out, std::ostream &err, const ReplayLimits &limits)
{
    Transcript transcript(out);
    TNumbraxGame game(&transcript);
    long searches = 0;
    bool hinting = false;
    game.setThinkRunner([&](const std::function<void()> &job) {
        const bool searching = hinting || game.strength() == Strength::Strong || game.strength() == Strength::Master;
        if (searching && limits.searches >= 0 && ++searches > limits.searches)
            throw ScriptError{"more than " + std::to_string(limits.searches) + " searches"};
        job();
    });

    std::string line;
    int lineNumber = 0;
    auto nextLine = [&]() -> bool {
        while (ReadLine(in, line)) {
            if (++lineNumber > kMaxScriptLines)
                throw ScriptError{"a script holds at most " + std::to_string(kMaxScriptLines) + " lines"};
            if (line.size() > kMaxLineLength)
                throw ScriptError{"a line holds at most " + std::to_string(kMaxLineLength) + " characters"};
            if (!Skipped(line))
                return true;
        }
        return false;
    };

    try {
        while (nextLine()) {
            const std::vector<std::string> words = SplitWords(line);
            const std::string &command = words[0];
            if (command == "bycols") {
                ExpectWords(words, 2);
                Settings settings = game.settings();
                settings.GoByCols = Argument(words, 1, 0, 1, "the flag") == 1;
                game.SetSettings(settings);
            } else if (command == "board") {
                ExpectWords(words, 2);
                const int n = Argument(words, 1, kMinBoardSize, kMaxBoardSize, "the board size");
                std::vector<std::string> rows;
                while (int(rows.size()) < n) {
                    if (!nextLine())
                        throw ScriptError{"the board ends after " + std::to_string(rows.size()) + " of " +
                                          std::to_string(n) + " rows"};
                    if (int(SplitWords(line).size()) != n)
                        throw ScriptError{"a board row of size " + std::to_string(n) + " needs " +
                                          std::to_string(n) + " cell texts"};
                    rows.push_back(line);
                }
                game.StartGame(*BoardFromRows(rows));
            } else if (command == "newgame") {
                ExpectWords(words, 5);
                Settings settings = game.settings();
                settings.BoardSize = Argument(words, 1, kMinBoardSize, kMaxBoardSize, "the board size");
                settings.MaxNum = Argument(words, 2, kMinNumberLimit, kMaxNumberLimit, "the number limit");
                settings.NegativNum = Argument(words, 3, 0, 1, "the negative-numbers flag") == 1;
                settings.UseNullCells = Argument(words, 4, 0, 1, "the empty-cells flag") == 1;
                game.SetSettings(settings);
                game.NewGame();
                out << BoardToText(game.board());
            } else if (command == "move") {
                ExpectWords(words, 3);
                const int n = game.BoardSize();
                const int col = Argument(words, 1, -1, n, "the column");
                const int row = Argument(words, 2, -1, n, "the row");
                game.PointerMove(col, row);
                out << "cur " << game.CurCol() << ' ' << game.CurRow() << '\n';
            } else if (command == "press") {
                ExpectWords(words, 1);
                game.Press();
                out << "score " << game.PlayerScore() << ' ' << game.CompScore() << '\n';
            } else if (command == "print") {
                ExpectWords(words, 1);
                out << BoardToText(game.board());
            } else if (command == "level") {
                ExpectWords(words, 2);
                const std::optional<Strength> strength = StrengthNamed(words[1]);
                if (!strength)
                    throw ScriptError{"the level must be novice, normal, strong or master, not \"" + words[1] + "\""};
                game.SetStrength(*strength);
            } else if (command == "hint") {
                ExpectWords(words, 1);
                hinting = true;
                const std::optional<Cell> hint = game.Hint();
                hinting = false;
                if (hint)
                    out << "hint " << hint->col << ' ' << hint->row << '\n';
                else
                    out << "hint none\n";
            } else if (command == "undo") {
                ExpectWords(words, 1);
                if (game.CanUndo()) {
                    game.Undo();
                    out << "cur " << game.CurCol() << ' ' << game.CurRow() << '\n';
                    out << "score " << game.PlayerScore() << ' ' << game.CompScore() << '\n';
                } else {
                    out << "undo none\n";
                }
            } else {
                throw ScriptError{"unknown command \"" + command + "\""};
            }
            // A program playing through a pipe reads each answer before it sends the next command.
            out.flush();
        }
    } catch (const ScriptError &e) {
        out.flush();
        err << "numbrax-replay: line " << lineNumber << ": " << e.what << '\n';
        return 2;
    }
    return 0;
}

} // namespace numbrax
