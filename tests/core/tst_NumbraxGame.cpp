// SPDX-License-Identifier: MIT
#include "BoardText.h"
#include "GameFixtures.h"
#include "NumbraxGame.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <thread>

using namespace numbrax;

namespace {

// Writes down what a view would be told, one line per event.
class Recorder : public TGameListener
{
public:
    explicit Recorder(TNumbraxGame *game)
        : game(game)
    {
        game->setListener(this);
    }
    ~Recorder() override { game->setListener(nullptr); }

    void GameStarted() override { ++started; }
    void Picked(Side side, int col, int row, std::int32_t value) override
    {
        events << QStringLiteral("%1 %2 %3 %4").arg(name(side)).arg(col).arg(row).arg(value);
        if (thinking && *thinking)
            eventsWhileThinking++;
    }
    void BoardChanged() override { notices << QStringLiteral("board"); }
    void ScoresChanged() override { notices << QStringLiteral("scores"); }
    void TookBack() override
    {
        notices << QStringLiteral("took back");
        tookBackStates.push_back(GameState::of(*game));
    }
    void MustPass(Side side) override
    {
        events << name(side) + QStringLiteral(" passes");
        holdsPlayer();
        if (side == Side::Player && onPlayerPass)
            onPlayerPass();
    }
    void GameOver(GameResult result, std::int64_t playerScore, std::int64_t compScore) override
    {
        const char *word = result == GameResult::PlayerWon     ? "won"
                           : result == GameResult::ComputerWon ? "lost"
                                                               : "draw";
        events << QStringLiteral("over %1 %2 %3").arg(QLatin1String(word)).arg(playerScore).arg(compScore);
        holdsPlayer();
    }

    TNumbraxGame *game;
    QStringList events;
    int started = 0;
    QStringList notices; // board, scores and take-back notices
    std::vector<GameState> tookBackStates;
    const bool *thinking = nullptr; // while set and true, no pick may be announced
    int eventsWhileThinking = 0;
    std::function<void()> onPlayerPass; // runs inside the player's pass, as a modal box would
    std::vector<bool> busyDuringMessage;
    std::vector<bool> pointerLiveDuringMessage;

private:
    static QString name(Side side)
    {
        return side == Side::Player ? QStringLiteral("player") : QStringLiteral("computer");
    }
    // A view shows these events in a modal box: what could the player do meanwhile?
    void holdsPlayer()
    {
        busyDuringMessage.push_back(game->Busy());
        // A pointer outside the board moves nothing but tells whether tracking is live.
        pointerLiveDuringMessage.push_back(game->PointerMove(-1, -1));
    }
};

Board board(const char *text)
{
    const std::optional<Board> b = BoardFromText(text);
    if (!b)
        qFatal("malformed board in a test");
    return *b;
}

// Starts a game on the given numbers and makes the first pick's cell current.
void startAt(TNumbraxGame &game, const char *text, int col, int row)
{
    game.StartGame(board(text));
    QVERIFY(game.PointerMove(col, row));
}

void setGoByCols(TNumbraxGame &game, bool byCols)
{
    Settings settings = game.settings();
    settings.GoByCols = byCols;
    game.SetSettings(settings);
}

Settings generating(int size, int limit, bool negative, bool nulls)
{
    Settings settings;
    settings.BoardSize = size;
    settings.MaxNum = limit;
    settings.NegativNum = negative;
    settings.UseNullCells = nulls;
    return settings;
}

// Every value of a board, row by row.
std::vector<std::int32_t> values(const Board &b)
{
    std::vector<std::int32_t> all;
    for (int row = 0; row < b.size(); ++row)
        for (int col = 0; col < b.size(); ++col)
            all.push_back(b.value(col, row));
    return all;
}

std::int64_t boardTotal(const Board &b)
{
    std::int64_t total = 0;
    for (int row = 0; row < b.size(); ++row)
        for (int col = 0; col < b.size(); ++col)
            total += b.value(col, row);
    return total;
}

} // namespace

class tst_NumbraxGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsIdle();
    void computerChoice_data();
    void computerChoice();
    void turns_data();
    void turns();
    void busyOnlyDuringComputersTurn();
    void pressOnTakenCell_data();
    void pressOnTakenCell();
    void pressWithoutGameDoesNothing();
    void finishedGameIgnoresPointerAndPresses();
    void pointerTracking_data();
    void pointerTracking();
    void generation_data();
    void generation();
    void generatedShares_data();
    void generatedShares();
    void newGame();
    void newGameBringsCurrentCellOntoBoard();
    void newGameSeeds();
    void abortKeepsScores();
    void settings_data();
    void settings();
    void givenBoardSetsTheSize();
    void totalsBeyond32Bits_data();
    void totalsBeyond32Bits();
    void wholeGamesKeepEveryNumber_data();
    void wholeGamesKeepEveryNumber();
    void takeBack_data();
    void takeBack();
    void takeBackWholeGame_data();
    void takeBackWholeGame();
    void takeBackForgotten_data();
    void takeBackForgotten();
    void nothingDuringComputersTurn();
    void hint_data();
    void hint();
    void thinkRunner_data();
    void thinkRunner();
    void newGameWhileThinking();
};

void tst_NumbraxGame::startsIdle()
{
    TNumbraxGame game;
    QCOMPARE(game.settings().BoardSize, 10);
    QCOMPARE(game.settings().MaxNum, 10);
    QVERIFY(!game.settings().NegativNum && !game.settings().UseNullCells && !game.settings().GoByCols);
    QCOMPARE(game.board().size(), 10);
    QVERIFY(!game.GameActive());
    QVERIFY(!game.FreeChoice());
    QCOMPARE(game.PlayerScore(), 0);
    QCOMPARE(game.CompScore(), 0);
    QVERIFY(game.board().text(9, 9).empty());
}

void tst_NumbraxGame::computerChoice_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<QPoint>("pick"); // the player's pick, in the line the computer answers in
    QTest::addColumn<QString>("answer");

    // The player picks in column 0 and the computer answers along it, unless byCols.
    QTest::newRow("largest of the opened row wins")
        << "9 1 . .\n5 8 . .\n. . . .\n1 . . ." << false << QPoint(0, 3) << "computer 0 0 9";
    QTest::newRow("denies the player a larger number")
        << "7 9 . .\n6 1 . .\n. . . .\n1 . . ." << false << QPoint(0, 3) << "computer 0 1 6";
    QTest::newRow("a single number")
        << "1 . . .\n. . . .\n3 9 9 9\n. . . ." << false << QPoint(0, 0) << "computer 0 2 3";
    QTest::newRow("ties go to the lower row")
        << "1 . . .\n4 9 . .\n. . . .\n4 9 . ." << false << QPoint(0, 0) << "computer 0 1 4";
    QTest::newRow("all negative, tied")
        << "-5 . . .\n-2 -1 . .\n-3 . . .\n1 . . ." << false << QPoint(0, 3) << "computer 0 1 -2";
    QTest::newRow("a negative scoring best")
        << "-1 -2 . .\n2 9 . .\n. . . .\n1 . . ." << false << QPoint(0, 3) << "computer 0 0 -1";
    // Row 0's best is -2: its "0" and its blank hold no number, or row 1 (-7) would score best.
    QTest::newRow("taken and blank cells are no best")
        << "-4 0 -2 .\n-4 -1 -9 -9\n0 5 5 5\n1 5 5 5" << false << QPoint(0, 3) << "computer 0 0 -4";
    // A "0" in row 0 would score best if taken cells could be taken.
    QTest::newRow("never a taken cell")
        << "0 . . .\n1 5 . .\n. . . .\n9 . . ." << false << QPoint(0, 3) << "computer 0 1 1";
    // Along row 0, opening columns to the player.
    QTest::newRow("by columns")
        << "2 6 5 1\n. 9 . .\n. . . .\n. . 1 ." << true << QPoint(3, 0) << "computer 2 0 5";
    QTest::newRow("by columns, ties go left")
        << "1 3 . 3\n. 4 . 4\n. . . .\n. . . ." << true << QPoint(0, 0) << "computer 1 0 3";
    // Every score at or below -999999: the best of them is still taken.
    QTest::newRow("very low scores")
        << "-999998 999998 . .\n-999997 999998 . .\n. . . .\n1 . . ." << false << QPoint(0, 3)
        << "computer 0 1 -999997";
    // Numbers below -999999, from a given board: row 0's best counts as -999999, not -1000001.
    QTest::newRow("a line's best below -999999")
        << "-1500000 -1000001 . .\n-1000001 -2 . .\n. . . .\n1 . . ." << false << QPoint(0, 3)
        << "computer 0 1 -1000001";
}

void tst_NumbraxGame::computerChoice()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(QPoint, pick);
    QFETCH(QString, answer);

    TNumbraxGame game;
    Recorder recorder(&game);
    setGoByCols(game, byCols);
    const std::string text = numbers.toStdString();
    startAt(game, text.c_str(), pick.x(), pick.y());
    const std::int32_t picked = game.CellValue(pick.x(), pick.y());

    game.Press();
    QVERIFY(recorder.events.size() >= 2);
    QCOMPARE(recorder.events[1], answer);
    const QStringList cell = answer.split(' ');
    QCOMPARE(QPoint(game.CurCol(), game.CurRow()), QPoint(cell[1].toInt(), cell[2].toInt()));
    QCOMPARE(game.CompLast(), cell[3].toInt());
    QCOMPARE(game.CompScore(), qint64(cell[3].toInt()));
    QCOMPARE(game.PlayerScore(), picked);
    QVERIFY(game.board().taken(game.CurCol(), game.CurRow()));
}

void tst_NumbraxGame::turns_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<QPoint>("pick"); // the pointer's cell before the press
    QTest::addColumn<QStringList>("events");

    QTest::newRow("computer answers in the picked column")
        << "5 1 0 0\n2 0 0 7\n0 4 0 0\n0 0 6 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 5", "computer 0 1 2"};
    QTest::newRow("computer cannot move")
        << "1 2 3 0\n0 0 0 0\n0 0 0 4\n0 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 1", "computer passes"};
    QTest::newRow("player passes twice")
        << "1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5" << false << QPoint(0, 0)
        << QStringList{"player 0 0 1", "computer 0 1 9", "player passes", "computer 0 2 8", "player passes",
                       "computer 0 3 2"};
    QTest::newRow("end without a pass")
        << "1 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << false << QPoint(0, 0) << QStringList{"player 0 0 1", "over won 1 0"};
    QTest::newRow("draw, by columns")
        << "4 4 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << true << QPoint(0, 0)
        << QStringList{"player 0 0 4", "computer 1 0 4", "over draw 4 4"};
    QTest::newRow("lost")
        << "1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 1", "computer 0 1 3", "over lost 1 3"};
    QTest::newRow("negative totals compare signed")
        << "-3 0 0 0\n-5 0 0 0\n0 0 0 0\n0 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 -3", "computer 0 1 -5", "over won -3 -5"};
}

void tst_NumbraxGame::turns()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(QPoint, pick);
    QFETCH(QStringList, events);

    TNumbraxGame game;
    Recorder recorder(&game);
    setGoByCols(game, byCols);
    const std::string text = numbers.toStdString();
    startAt(game, text.c_str(), pick.x(), pick.y());
    recorder.events.clear();

    game.Press();
    QCOMPARE(recorder.events, events);
    const bool ended = events.last().startsWith(QStringLiteral("over"));
    QCOMPARE(game.GameActive(), !ended);
    QVERIFY(!game.Busy());
}

void tst_NumbraxGame::busyOnlyDuringComputersTurn()
{
    TNumbraxGame game;
    Recorder recorder(&game);
    // First the computer cannot move (a pass outside its turn), then the player must pass
    // (inside it), then the game ends.
    startAt(game, "1 2 0 0\n0 0 0 0\n0 9 0 0\n0 3 0 0", 0, 0);
    game.Press();
    game.PointerMove(1, 3);
    game.Press();
    QCOMPARE(recorder.events, (QStringList{"player 0 0 1", "computer passes", "player 1 0 2", "computer 1 2 9",
                                           "player passes", "computer 1 3 3", "over lost 3 12"}));
    QCOMPARE(recorder.busyDuringMessage, (std::vector<bool>{false, true, true}));
    QCOMPARE(recorder.pointerLiveDuringMessage, (std::vector<bool>{true, false, false}));
    QVERIFY(!game.Busy());
}

void tst_NumbraxGame::pressOnTakenCell_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<QPoint>("pick"); // a "0" cell
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("active");

    // The player's line still holds a number: the press takes nothing and the player picks on.
    QTest::newRow("a number in the row") << "0 1 2 3\n4 5 6 7\n8 9 1 2\n3 4 5 6" << false << QPoint(0, 0)
                                         << QStringList() << true;
    QTest::newRow("by columns, a number in the column")
        << "0 0 0 0\n4 0 0 0\n0 0 0 0\n0 0 0 0" << true << QPoint(0, 0) << QStringList() << true;
    // Otherwise nobody could ever move again: the player passes and the computer picks as
    // after any pick, passing the turn back and forth as usual.
    QTest::newRow("an empty row") << "0 0 0 0\n7 0 5 0\n0 0 0 0\n3 0 0 0" << false << QPoint(0, 0)
                                  << QStringList{"player passes", "computer 0 1 7"} << true;
    QTest::newRow("an empty row, then the player passes again")
        << "0 0 0 0\n7 0 0 0\n0 0 0 0\n3 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player passes", "computer 0 1 7", "player passes", "computer 0 3 3", "over lost 0 10"}
        << false;
    QTest::newRow("by columns, an empty column") << "0 8 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << true << QPoint(0, 0)
                                                 << QStringList{"player passes", "computer 1 0 8", "over lost 0 8"}
                                                 << false;
    QTest::newRow("row and column empty") << "0 0 0 0\n0 0 0 0\n0 0 0 9\n0 0 0 0" << false << QPoint(1, 1)
                                          << QStringList{"over draw 0 0"} << false;
}

void tst_NumbraxGame::pressOnTakenCell()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(QPoint, pick);
    QFETCH(QStringList, events);
    QFETCH(bool, active);

    TNumbraxGame game;
    Recorder recorder(&game);
    setGoByCols(game, byCols);
    const std::string text = numbers.toStdString();
    startAt(game, text.c_str(), pick.x(), pick.y());
    QVERIFY(game.FreeChoice());
    const Board before = game.board();

    game.Press();
    QCOMPARE(recorder.events, events);
    QCOMPARE(game.GameActive(), active);
    QVERIFY(!game.FreeChoice());
    QVERIFY(!game.Busy());
    QCOMPARE(game.PlayerScore(), 0);
    QCOMPARE(game.PlayerLast(), 0);
    QVERIFY(game.board().taken(pick.x(), pick.y()));
    // The player's pass comes inside the computer's turn, like every pass of the player.
    if (!events.isEmpty())
        QCOMPARE(recorder.busyDuringMessage.front(), events.front() == QStringLiteral("player passes"));
    if (events.isEmpty()) {
        QVERIFY(game.board() == before);
        // Now the pointer moves the cell along the player's line only.
        QVERIFY(game.PointerMove(2, 3));
        QCOMPARE(QPoint(game.CurCol(), game.CurRow()), byCols ? QPoint(0, 3) : QPoint(2, 0));
    }
}

void tst_NumbraxGame::pressWithoutGameDoesNothing()
{
    TNumbraxGame game;
    Recorder recorder(&game);
    QVERIFY(!game.PointerMove(3, 3));
    game.Press();
    QVERIFY(recorder.events.isEmpty());
    QCOMPARE(game.CurCol(), 0);
    QCOMPARE(game.CurRow(), 0);
}

void tst_NumbraxGame::finishedGameIgnoresPointerAndPresses()
{
    TNumbraxGame game;
    Recorder recorder(&game);
    startAt(game, "1 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 7", 0, 0);
    game.Press();
    QCOMPARE(recorder.events.last(), QStringLiteral("over won 1 0"));
    QVERIFY(!game.GameActive());
    const Board final = game.board();
    recorder.events.clear();

    QVERIFY(!game.PointerMove(3, 3));
    game.Press();
    QVERIFY(recorder.events.isEmpty());
    QVERIFY(game.board() == final);
    QCOMPARE(game.PlayerScore(), 1);
}

void tst_NumbraxGame::pointerTracking_data()
{
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<bool>("freeChoice");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("expected"); // from the current cell (1, 1)

    QTest::newRow("free: anywhere") << false << true << QPoint(3, 2) << QPoint(3, 2);
    QTest::newRow("free: beyond the last column") << false << true << QPoint(4, 2) << QPoint(1, 1);
    QTest::newRow("free: outside above") << false << true << QPoint(2, -1) << QPoint(1, 1);
    QTest::newRow("rows: column follows") << false << false << QPoint(3, 2) << QPoint(3, 1);
    QTest::newRow("rows: below the last row") << false << false << QPoint(2, 4) << QPoint(2, 1);
    QTest::newRow("rows: beyond the last column") << false << false << QPoint(4, 2) << QPoint(1, 1);
    QTest::newRow("columns: row follows") << true << false << QPoint(3, 2) << QPoint(1, 2);
    QTest::newRow("columns: left of the board") << true << false << QPoint(-1, 3) << QPoint(1, 3);
    QTest::newRow("columns: below the last row") << true << false << QPoint(3, 4) << QPoint(1, 1);
}

void tst_NumbraxGame::pointerTracking()
{
    QFETCH(bool, byCols);
    QFETCH(bool, freeChoice);
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, expected);

    TNumbraxGame game;
    setGoByCols(game, byCols);
    startAt(game, "9 9 9 9\n9 0 9 9\n9 9 9 9\n9 9 9 9", 1, 1);
    if (!freeChoice)
        game.Press(); // a press on a taken cell only ends the free choice
    QVERIFY(game.PointerMove(pointer.x(), pointer.y()));
    QCOMPARE(QPoint(game.CurCol(), game.CurRow()), expected);
}

void tst_NumbraxGame::generation_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("nulls");
    QTest::addColumn<QList<int>>("expected"); // every value that may occur; each one must occur

    QTest::newRow("defaults") << 10 << false << false << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("limit 2") << 2 << false << false << QList<int>{1};
    QTest::newRow("limit 2, empty cells") << 2 << false << true << QList<int>{0, 1};
    QTest::newRow("limit 2, negatives") << 2 << true << false << QList<int>{1, -1};
    QTest::newRow("limit 3, both") << 3 << true << true << QList<int>{0, 1, 2, -1, -2};
}

void tst_NumbraxGame::generation()
{
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(bool, nulls);
    QFETCH(QList<int>, expected);

    TNumbraxGame game;
    game.SetSettings(generating(kMaxBoardSize, limit, negative, nulls));
    game.NewGame(12345);
    const std::vector<std::int32_t> all = values(game.board());
    QCOMPARE(std::set<int>(all.begin(), all.end()), std::set<int>(expected.begin(), expected.end()));
    for (int row = 0; row < game.BoardSize(); ++row)
        for (int col = 0; col < game.BoardSize(); ++col)
            QCOMPARE(game.board().text(col, row), std::to_string(game.CellValue(col, row)));
}

void tst_NumbraxGame::generatedShares_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("nulls");
    QTest::addColumn<bool>("countNegatives"); // else count zeros
    QTest::addColumn<int>("expected");        // of the 2500 cells of a 50 x 50 board

    // Each cell is 0 with probability 1 / limit; a number is negative with probability just
    // under a half. Tolerances are about 7 standard deviations.
    QTest::newRow("empty cells") << 4 << false << true << false << 2500 / 4;
    QTest::newRow("negatives") << 999999 << true << false << true << 2500 / 2;
}

void tst_NumbraxGame::generatedShares()
{
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(bool, nulls);
    QFETCH(bool, countNegatives);
    QFETCH(int, expected);

    TNumbraxGame game;
    game.SetSettings(generating(kMaxBoardSize, limit, negative, nulls));
    for (std::uint64_t seed : {7u, 99u}) {
        game.NewGame(seed);
        const std::vector<std::int32_t> all = values(game.board());
        const auto count = std::count_if(all.begin(), all.end(),
                                         [&](std::int32_t v) { return countNegatives ? v < 0 : v == 0; });
        QVERIFY2(std::abs(int(count) - expected) < 180, qPrintable(QString::number(count)));
        const auto [lowest, highest] = std::minmax_element(all.begin(), all.end());
        QVERIFY(*highest <= limit - 1 && *highest > (limit - 1) * 99 / 100);
        if (negative)
            QVERIFY(*lowest >= 1 - limit && *lowest < (1 - limit) * 99 / 100);
    }
}

void tst_NumbraxGame::newGame()
{
    TNumbraxGame game;
    Recorder recorder(&game);
    startAt(game, "1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0", 0, 0);
    game.Press(); // ends lost
    QVERIFY(!game.GameActive());
    QCOMPARE(recorder.started, 1);

    game.SetSettings(generating(6, 10, false, false));
    game.NewGame();
    QCOMPARE(recorder.started, 2);
    QVERIFY(game.GameActive());
    QVERIFY(game.FreeChoice());
    QVERIFY(!game.Busy());
    QCOMPARE(game.PlayerScore(), 0);
    QCOMPARE(game.CompScore(), 0);
    QCOMPARE(game.PlayerLast(), 0);
    QCOMPARE(game.CompLast(), 0);
    QCOMPARE(game.board().size(), 6);
    for (std::int32_t v : values(game.board()))
        QVERIFY(v >= 1 && v <= 9);
}

void tst_NumbraxGame::newGameBringsCurrentCellOntoBoard()
{
    TNumbraxGame game;
    game.NewGame();
    QVERIFY(game.PointerMove(9, 8));
    game.SetSettings(generating(4, 10, false, false));
    game.NewGame();
    QCOMPARE(game.CurCol(), 3);
    QCOMPARE(game.CurRow(), 3);
    game.Press(); // must address a cell of the board
    QVERIFY(game.PlayerScore() > 0);
}

void tst_NumbraxGame::newGameSeeds()
{
    TNumbraxGame game;
    game.NewGame(42);
    const Board seeded = game.board();
    game.NewGame(42);
    QVERIFY(game.board() == seeded);
    // From the clock: two games in a row differ.
    game.NewGame();
    const Board first = game.board();
    game.NewGame();
    QVERIFY(!(game.board() == first));
}

void tst_NumbraxGame::abortKeepsScores()
{
    TNumbraxGame game;
    startAt(game, "5 1 0 0\n2 0 0 7\n0 4 0 0\n0 0 6 0", 0, 0);
    game.Press();
    game.AbortGame();
    QVERIFY(!game.GameActive());
    QCOMPARE(game.PlayerScore(), 5);
    QCOMPARE(game.CompScore(), 2);
    QVERIFY(game.board().text(3, 1).empty());
    QCOMPARE(game.board().value(3, 1), 0);
    QVERIFY(!game.board().taken(0, 0));
}

void tst_NumbraxGame::settings_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("expectSize");
    QTest::addColumn<int>("expectLimit");
    QTest::newRow("in range") << 7 << 123 << 7 << 123;
    QTest::newRow("below") << 3 << 1 << 4 << 2;
    QTest::newRow("far below") << -5 << INT_MIN << 4 << 2;
    QTest::newRow("above") << 51 << 1000000 << 50 << 999999;
}

void tst_NumbraxGame::settings()
{
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(int, expectSize);
    QFETCH(int, expectLimit);
    TNumbraxGame game;
    Recorder recorder(&game);
    const Settings given = generating(size, limit, true, true);
    game.SetSettings(given);
    QCOMPARE(game.settings().BoardSize, expectSize);
    QCOMPARE(game.settings().MaxNum, expectLimit);
    QVERIFY(game.settings().NegativNum && game.settings().UseNullCells);
    QCOMPARE(game.settings(), given.clamped());
    QCOMPARE(game.board().size(), expectSize);
    QVERIFY(!game.GameActive()); // settings start no game
    game.NewGame(1);
    QCOMPARE(game.board().size(), expectSize);
}

void tst_NumbraxGame::givenBoardSetsTheSize()
{
    TNumbraxGame game;
    game.StartGame(board("1 2 3 4 5\n1 2 3 4 5\n1 2 3 4 5\n1 2 3 4 5\n1 2 3 4 5"));
    QCOMPARE(game.settings().BoardSize, 5);
    game.NewGame(3);
    QCOMPARE(game.board().size(), 5);
    // A board the game could not be set to is refused, the running game untouched.
    const Board running = game.board();
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, game.StartGame(board("1 2 3\n1 2 3\n1 2 3")));
    QVERIFY(game.board() == running);
    QCOMPARE(game.settings().BoardSize, 5);
}

void tst_NumbraxGame::totalsBeyond32Bits_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QPoint>("second"); // the player's second pick, if any
    QTest::addColumn<qint64>("player");
    QTest::addColumn<qint64>("computer");
    // Numbers as large as a cell can hold: two of them pass the 32-bit range.
    QTest::newRow("player") << "2147483647 2147483647 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << QPoint(1, 0)
                            << 2 * qint64(INT_MAX) << qint64(0);
    QTest::newRow("computer") << "1 0 0 0\n-2147483648 0 0 0\n-2147483648 0 0 0\n0 0 0 0" << QPoint(-1, -1)
                              << qint64(1) << 2 * qint64(INT_MIN);
}

void tst_NumbraxGame::totalsBeyond32Bits()
{
    QFETCH(QString, numbers);
    QFETCH(QPoint, second);
    QFETCH(qint64, player);
    QFETCH(qint64, computer);
    TNumbraxGame game;
    Recorder recorder(&game);
    const std::string text = numbers.toStdString();
    startAt(game, text.c_str(), 0, 0);
    game.Press();
    if (second.x() >= 0) {
        game.PointerMove(second.x(), second.y());
        game.Press();
    }
    QCOMPARE(game.PlayerScore(), player);
    QCOMPARE(game.CompScore(), computer);
    QCOMPARE(recorder.events.last(), QStringLiteral("over %1 %2 %3")
                                         .arg(QLatin1String(player > computer ? "won" : "lost"))
                                         .arg(player)
                                         .arg(computer));
}

void tst_NumbraxGame::wholeGamesKeepEveryNumber_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("nulls");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<int>("fill"); // every cell holds this number; 0 for a random board
    QTest::newRow("defaults") << 10 << 10 << false << false << false << 0;
    QTest::newRow("by columns, negatives, empty cells") << 12 << 50 << true << true << true << 0;
    QTest::newRow("largest board and limit") << 50 << 999999 << false << false << false << 0;
    QTest::newRow("largest, negatives") << 50 << 999999 << true << false << true << 0;
    // The board's total passes the 32-bit range.
    QTest::newRow("largest numbers everywhere") << 50 << 999999 << false << false << false << 999998;
}

void tst_NumbraxGame::wholeGamesKeepEveryNumber()
{
    // Plays whole games, the player always taking the first number of its line, and checks
    // that every number ends in exactly one place: a score or the board.
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(bool, nulls);
    QFETCH(bool, byCols);
    QFETCH(int, fill);

    TNumbraxGame game;
    Recorder recorder(&game);
    Settings settings = generating(size, limit, negative, nulls);
    settings.GoByCols = byCols;
    game.SetSettings(settings);
    if (fill == 0) {
        game.NewGame();
    } else {
        Board numbers(size);
        for (int row = 0; row < size; ++row)
            for (int col = 0; col < size; ++col)
                numbers.setNumber(col, row, fill);
        game.StartGame(numbers);
    }
    const std::int64_t total = boardTotal(game.board());

    int presses = 0;
    game.PointerMove(0, 0);
    while (game.GameActive() && presses < size * size) {
        for (int i = 0; i < size; ++i) {
            const int col = byCols ? game.CurCol() : i;
            const int row = byCols ? i : game.CurRow();
            if (game.CellValue(col, row) != 0) {
                game.PointerMove(col, row);
                break;
            }
        }
        game.Press();
        ++presses;
    }
    QVERIFY(!game.GameActive());
    QVERIFY(game.RowIsEmpty(game.CurRow()) && game.ColIsEmpty(game.CurCol()));
    QCOMPARE(game.PlayerScore() + game.CompScore() + boardTotal(game.board()), total);
    const char *result = game.PlayerScore() == game.CompScore() ? "draw"
                         : game.PlayerScore() > game.CompScore() ? "won"
                                                                 : "lost";
    QCOMPARE(recorder.events.last(),
             QStringLiteral("over %1 %2 %3").arg(QLatin1String(result)).arg(game.PlayerScore()).arg(game.CompScore()));
    QCOMPARE(recorder.events.filter(QStringLiteral("over")).size(), 1);
}

void tst_NumbraxGame::takeBack_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<QList<QPoint>>("presses"); // the last one is taken back

    QTest::newRow("the computer's answer") << "5 1 0 0\n2 0 0 7\n0 4 0 0\n0 0 6 0" << false
                                           << QList<QPoint>{{0, 0}};
    QTest::newRow("the computer passes") << "1 2 3 0\n0 0 0 0\n0 0 0 4\n0 0 0 0" << false
                                         << QList<QPoint>{{0, 0}};
    QTest::newRow("three answers, the player passing") << "1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5" << false
                                                       << QList<QPoint>{{0, 0}};
    QTest::newRow("the end of the game") << "1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0" << false << QList<QPoint>{{0, 0}};
    QTest::newRow("a free press on a taken cell") << "0 0 0 0\n7 0 5 0\n0 0 0 0\n3 0 0 0" << false
                                                  << QList<QPoint>{{0, 0}};
    QTest::newRow("a free press ending the free choice only") << "0 1 2 3\n4 5 6 7\n8 9 1 2\n3 4 5 6" << false
                                                              << QList<QPoint>{{0, 0}};
    QTest::newRow("a blank cell") << ". 1 2 3\n4 5 6 7\n8 9 1 2\n3 4 5 6" << false << QList<QPoint>{{0, 0}};
    QTest::newRow("by columns, the second press") << "2 6 5 1\n3 9 4 2\n7 8 1 3\n4 5 6 7" << true
                                                  << QList<QPoint>{{3, 0}, {3, 2}};
}

void tst_NumbraxGame::takeBack()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(QList<QPoint>, presses);

    TNumbraxGame game;
    Recorder recorder(&game);
    setGoByCols(game, byCols);
    game.StartGame(BoardOf(numbers.toStdString()));
    QVERIFY(!game.CanUndo());
    GameState before;
    for (const QPoint &press : presses) {
        game.PointerMove(press.x(), press.y());
        before = GameState::of(game);
        game.Press();
        QVERIFY(game.CanUndo());
    }
    QVERIFY(!(GameState::of(game) == before));
    recorder.notices.clear();

    game.Undo();
    COMPARE_STATES(GameState::of(game), before);
    QCOMPARE(recorder.notices, (QStringList{"board", "scores", "took back"}));
    COMPARE_STATES(recorder.tookBackStates.back(), before);
    QCOMPARE(game.CanUndo(), presses.size() > 1);
}

void tst_NumbraxGame::takeBackWholeGame_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("nulls");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<int>("strength");

    QTest::newRow("normal") << 6 << 10 << false << false << false << int(Strength::Normal);
    QTest::newRow("novice, by columns, empty cells") << 7 << 5 << false << true << true << int(Strength::Novice);
    QTest::newRow("strong, negatives") << 6 << 100 << true << false << false << int(Strength::Strong);
    QTest::newRow("master, everything") << 5 << 999999 << true << true << true << int(Strength::Master);
}

void tst_NumbraxGame::takeBackWholeGame()
{
    // A game with the player's picks drawn at random, presses on taken cells among them, taken
    // back pick by pick to its start: each step restores the state before that pick.
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(bool, nulls);
    QFETCH(bool, byCols);
    QFETCH(int, strength);

    TNumbraxGame game;
    setGoByCols(game, byCols);
    game.SetStrength(Strength(strength));
    game.StartGame(DealtBoard(size, limit, negative, nulls, std::uint64_t(size * limit)));
    const Board start = game.board();
    TestDraws draws(std::uint64_t(strength) + 1);
    std::vector<GameState> beforeEachPick;
    while (game.GameActive()) {
        const int along = draws.below(size);
        const QPoint at = game.FreeChoice() ? QPoint(draws.below(size), along)
                          : byCols          ? QPoint(game.CurCol(), along)
                                            : QPoint(along, game.CurRow());
        game.PointerMove(at.x(), at.y());
        const GameState before = GameState::of(game);
        game.Press();
        if (!(GameState::of(game) == before))
            beforeEachPick.push_back(before);
    }
    QVERIFY(beforeEachPick.size() > 2);
    for (; !beforeEachPick.empty(); beforeEachPick.pop_back()) {
        QVERIFY(game.CanUndo());
        game.Undo();
        COMPARE_STATES(GameState::of(game), beforeEachPick.back());
    }
    QVERIFY(!game.CanUndo());
    QVERIFY(game.board() == start && game.FreeChoice());
}

void tst_NumbraxGame::takeBackForgotten_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("new game") << 0;
    QTest::newRow("abort") << 1;
    QTest::newRow("cleared board") << 2;
    QTest::newRow("new board size") << 3;
}

void tst_NumbraxGame::takeBackForgotten()
{
    QFETCH(int, operation);
    TNumbraxGame game;
    game.NewGame(8);
    game.PointerMove(2, 2);
    game.Press();
    QVERIFY(game.CanUndo());
    switch (operation) {
    case 0: game.NewGame(9); break;
    case 1: game.AbortGame(); break;
    case 2: game.ClearBoard(); break;
    default: game.SetSettings(generating(7, 10, false, false)); break;
    }
    QVERIFY(!game.CanUndo());
    const GameState after = GameState::of(game);
    game.Undo();
    COMPARE_STATES(GameState::of(game), after);
}

void tst_NumbraxGame::nothingDuringComputersTurn()
{
    // While the computer picks (here: while the player's pass is shown) the player can neither
    // take back, nor ask for a hint, nor pick.
    TNumbraxGame game;
    Recorder recorder(&game);
    startAt(game, "1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5", 0, 0);
    game.Press();
    game.Undo();
    const QStringList oneTurn = recorder.events;

    startAt(game, "1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5", 0, 0);
    recorder.events.clear();
    std::vector<bool> offered;
    recorder.onPlayerPass = [&] {
        offered.push_back(game.CanUndo() || game.Hint().has_value());
        game.Undo();
        game.Press();
    };
    game.Press();
    QCOMPARE(offered, (std::vector<bool>{false, false}));
    QCOMPARE(recorder.events, oneTurn);
    QVERIFY(game.CanUndo());
}

void tst_NumbraxGame::hint_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<QList<QPoint>>("presses");
    QTest::addColumn<QPoint>("hint"); // (-1, -1): none

    QTest::newRow("free choice, the only number") << "0 0 0 0\n0 0 7 0\n0 0 0 0\n0 0 0 0" << false
                                                  << QList<QPoint>() << QPoint(2, 1);
    QTest::newRow("free choice, no number") << "0 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << false << QList<QPoint>()
                                            << QPoint(-1, -1);
    // Taking the 9 hands the computer the other 9 and then the 8: the 8 first wins 17 to 10.
    QTest::newRow("not the largest number") << "0 9 8 0\n0 9 1 0\n0 0 0 0\n0 0 0 0" << false
                                            << QList<QPoint>{{0, 0}} << QPoint(2, 0);
    QTest::newRow("by columns") << "0 0 0 0\n9 9 0 0\n8 1 0 0\n0 0 0 0" << true << QList<QPoint>{{0, 0}}
                                << QPoint(0, 2);
    QTest::newRow("game over") << "1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0" << false << QList<QPoint>{{0, 0}}
                               << QPoint(-1, -1);
}

void tst_NumbraxGame::hint()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(QList<QPoint>, presses);
    QFETCH(QPoint, hint);

    TNumbraxGame game;
    QVERIFY(!game.Hint());
    Recorder recorder(&game);
    setGoByCols(game, byCols);
    game.StartGame(BoardOf(numbers.toStdString()));
    for (const QPoint &press : presses) {
        game.PointerMove(press.x(), press.y());
        game.Press();
    }
    const GameState before = GameState::of(game);
    const bool couldUndo = game.CanUndo();
    recorder.events.clear();
    recorder.notices.clear();

    const std::optional<Cell> given = game.Hint();
    QCOMPARE(given ? QPoint(given->col, given->row) : QPoint(-1, -1), hint);
    COMPARE_STATES(GameState::of(game), before);
    QCOMPARE(game.CanUndo(), couldUndo);
    QVERIFY(recorder.events.isEmpty() && recorder.notices.isEmpty());
}

void tst_NumbraxGame::thinkRunner_data()
{
    QTest::addColumn<int>("runner");
    QTest::newRow("in the call") << 0;
    QTest::newRow("on another thread") << 1;
    QTest::newRow("dropping the job") << 2;
}

void tst_NumbraxGame::thinkRunner()
{
    // Whatever runs the thinking, the game goes the same way, and nothing is announced while
    // the computer thinks.
    QFETCH(int, runner);
    const Board numbers = DealtBoard(6, 10, false, false, 77);
    auto play = [&](TNumbraxGame &game) {
        game.SetStrength(Strength::Strong);
        game.StartGame(numbers);
        game.PointerMove(2, 3);
        while (game.GameActive()) {
            const std::optional<Cell> hint = game.Hint();
            QVERIFY(hint);
            game.PointerMove(hint->col, hint->row);
            game.Press();
        }
    };
    TNumbraxGame plain;
    Recorder plainRecorder(&plain);
    play(plain);

    TNumbraxGame game;
    Recorder recorder(&game);
    bool thinking = false;
    int jobs = 0;
    recorder.thinking = &thinking;
    game.setThinkRunner([&](const std::function<void()> &job) {
        ++jobs;
        thinking = true;
        if (runner == 0)
            job();
        else if (runner == 1)
            std::thread(job).join();
        thinking = false;
    });
    play(game);
    QCOMPARE(recorder.events, plainRecorder.events);
    QCOMPARE(recorder.eventsWhileThinking, 0);
    // One job for each computer pick and each hint, one hint before each player pick.
    QCOMPARE(jobs, int(recorder.events.filter(QRegularExpression("^(computer|player) \\d")).size()));
}

void tst_NumbraxGame::newGameWhileThinking()
{
    // A window keeps working while the computer thinks; a new game started meanwhile drops the
    // old game's pick instead of making it on the new board.
    TNumbraxGame game;
    Recorder recorder(&game);
    bool replaced = false;
    game.setThinkRunner([&](const std::function<void()> &job) {
        if (!replaced) {
            replaced = true;
            game.NewGame(5);
        }
        job();
    });
    startAt(game, "5 1 0 0\n2 0 0 7\n0 4 0 0\n0 0 6 0", 0, 0);
    game.Press();
    TNumbraxGame fresh;
    fresh.SetSettings(game.settings());
    fresh.NewGame(5);
    QVERIFY(game.board() == fresh.board());
    QVERIFY(game.GameActive() && game.FreeChoice() && !game.Busy() && !game.CanUndo());
    QCOMPARE(game.CompScore(), 0);
    QCOMPARE(recorder.events, QStringList{"player 0 0 5"});
}

QTEST_GUILESS_MAIN(tst_NumbraxGame)
#include "tst_NumbraxGame.moc"
