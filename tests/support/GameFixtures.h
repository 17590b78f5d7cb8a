// SPDX-License-Identifier: MIT
// Boards and game states for the rules' tests: boards written as text, boards of the game's own
// generator, and everything a take-back must restore, read back from a game.
#pragma once

#include "BoardText.h"
#include "NumbraxGame.h"

#include <QtGlobal>

#include <cstdint>
#include <string>

inline numbrax::Board BoardOf(const std::string &text)
{
    const std::optional<numbrax::Board> board = numbrax::BoardFromText(text);
    if (!board)
        qFatal("malformed board in a test");
    return *board;
}

// A board as the game deals it under these settings from this seed.
inline numbrax::Board DealtBoard(int size, int limit, bool negative, bool nulls, std::uint64_t seed)
{
    numbrax::Settings settings;
    settings.BoardSize = size;
    settings.MaxNum = limit;
    settings.NegativNum = negative;
    settings.UseNullCells = nulls;
    numbrax::TNumbraxGame game;
    game.SetSettings(settings);
    game.NewGame(seed);
    return game.board();
}

struct GameState
{
    numbrax::Board board{1};
    std::int64_t playerScore = 0;
    std::int64_t compScore = 0;
    std::int32_t playerLast = 0;
    std::int32_t compLast = 0;
    int curCol = 0;
    int curRow = 0;
    bool freeChoice = false;
    bool active = false;

    static GameState of(const numbrax::TNumbraxGame &game)
    {
        return {game.board(),  game.PlayerScore(), game.CompScore(),  game.PlayerLast(), game.CompLast(),
                game.CurCol(), game.CurRow(),      game.FreeChoice(), game.GameActive()};
    }
    bool operator==(const GameState &) const = default;

    std::string describe() const
    {
        return "score " + std::to_string(playerScore) + ' ' + std::to_string(compScore) + ", last " +
               std::to_string(playerLast) + ' ' + std::to_string(compLast) + ", cur " + std::to_string(curCol) + ' ' +
               std::to_string(curRow) + (freeChoice ? ", free" : "") + (active ? ", active" : "") + '\n' +
               numbrax::BoardToText(board);
    }
};

#define COMPARE_STATES(actual, expected)                                                                              \
    QVERIFY2((actual) == (expected), qPrintable(QString::fromStdString("\nactual:   " + (actual).describe() +           \
                                                                       "\nexpected: " + (expected).describe())))

// Deterministic choices for tests that play whole games: the same seed, the same game.
class TestDraws
{
public:
    explicit TestDraws(std::uint64_t seed)
        : FState(seed)
    {
    }
    // A whole number from 0 to count - 1.
    int below(int count)
    {
        FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((FState >> 33) % std::uint64_t(count));
    }

private:
    std::uint64_t FState;
};
