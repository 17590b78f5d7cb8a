// SPDX-License-Identifier: MIT
#include "BoardText.h"
#include "NumbraxGame.h"

#include <QStringList>
#include <QTest>

#include <climits>
#include <map>
#include <set>

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

    void Picked(Side side, int col, int row, std::int32_t value) override
    {
        events << QStringLiteral("%1 %2 %3 %4")
                      .arg(side == Side::Player ? QStringLiteral("player") : QStringLiteral("computer"))
                      .arg(col)
                      .arg(row)
                      .arg(value);
    }
    void Message(const std::string &text) override
    {
        events << QStringLiteral("message ") + QString::fromStdString(text);
        busyDuringMessage.push_back(game->Busy());
        // A pointer outside the board moves nothing but tells whether tracking is live.
        pointerLiveDuringMessage.push_back(game->PointerMove(-1, -1));
    }
    void ResultTextChanged() override
    {
        events << QStringLiteral("panel ") + QString::fromStdString(game->ResultText());
    }

    TNumbraxGame *game;
    QStringList events;
    std::vector<bool> busyDuringMessage;
    std::vector<bool> pointerLiveDuringMessage;
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
    void computerNeverTakesTakenCells();
    void bestInLine_data();
    void bestInLine();
    void turns_data();
    void turns();
    void busyOnlyDuringComputersTurn();
    void pressOnTakenCellEndsFreeChoice();
    void pressWithoutGameDoesNothing();
    void finishedGameIgnoresPointerAndPresses();
    void pointerTracking_data();
    void pointerTracking();
    void generation_data();
    void generation();
    void emptyCellFrequency();
    void negativeShare();
    void newGame();
    void newGameBringsCurrentCellOntoBoard();
    void newGamesDiffer();
    void abortKeepsScores();
    void settingsStayInRange();
    void totalsBeyond32Bits();
    void wholeGamesKeepEveryNumber_data();
    void wholeGamesKeepEveryNumber();
};

void tst_NumbraxGame::startsIdle()
{
    TNumbraxGame game;
    QCOMPARE(game.BoardSize(), 10);
    QCOMPARE(game.MaxNum(), 10);
    QVERIFY(!game.GameActive());
    QVERIFY(!game.FreeChoice());
    QVERIFY(!game.GoByCols());
    QCOMPARE(game.PlayerScore(), 0);
    QCOMPARE(game.CompScore(), 0);
    QVERIFY(game.board().text(9, 9).empty());
}

void tst_NumbraxGame::computerChoice_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<int>("col"); // the current cell the computer answers from
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("expectCol");
    QTest::addColumn<int>("expectRow");

    // The computer moves along column 0 unless byCols.
    QTest::newRow("largest of the opened row wins") << "9 1 . .\n5 8 . .\n. . . .\n. . . ." << false << 0 << 3 << 0 << 0;
    QTest::newRow("denies the player a larger number")
        << "7 9 . .\n6 1 . .\n. . . .\n. . . ." << false << 0 << 3 << 0 << 1;
    QTest::newRow("a single number") << ". . . .\n. . . .\n3 9 9 9\n. . . ." << false << 0 << 0 << 0 << 2;
    QTest::newRow("ties go to the lower row") << ". . . .\n4 . . .\n. . . .\n4 . . ." << false << 0 << 0 << 0 << 1;
    QTest::newRow("all negative, tied") << "-5 . . .\n-2 -1 . .\n-3 . . .\n. . . ." << false << 0 << 3 << 0 << 1;
    QTest::newRow("a negative scoring best") << "-1 . . .\n2 9 . .\n. . . .\n. . . ." << false << 0 << 3 << 0 << 0;
    // Along row 0, opening columns to the player.
    QTest::newRow("by columns") << "2 6 5 .\n. 9 . .\n. . . .\n. . 1 ." << true << 3 << 0 << 2 << 0;
    QTest::newRow("by columns, ties go left") << ". 3 . 3\n. . . .\n. . . .\n. . . ." << true << 0 << 0 << 1 << 0;
    // Every score at or below -999999: the best of them is still taken.
    QTest::newRow("very low scores")
        << "-999998 999998 . .\n-999997 999998 . .\n. . . .\n. . . ." << false << 0 << 3 << 0 << 1;
}

void tst_NumbraxGame::computerChoice()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, expectCol);
    QFETCH(int, expectRow);

    TNumbraxGame game;
    game.SetGoByCols(byCols);
    const std::string text = numbers.toStdString();
    startAt(game, text.c_str(), col, row);
    const std::int32_t value = game.CellValue(expectCol, expectRow);

    game.ComputerMove();
    QCOMPARE(game.CurCol(), expectCol);
    QCOMPARE(game.CurRow(), expectRow);
    QCOMPARE(game.CompScore(), value);
    QCOMPARE(game.CompLast(), value);
    QCOMPARE(game.board().text(expectCol, expectRow), std::string("0"));
}

void tst_NumbraxGame::computerNeverTakesTakenCells()
{
    TNumbraxGame game;
    // A "0" in row 0 would score best if zeros counted (row 0 holds nothing else).
    startAt(game, "0 . . .\n1 5 . .\n. . . .\n. . . .", 0, 3);
    game.ComputerMove();
    QCOMPARE(game.CurRow(), 1);
    QCOMPARE(game.CompScore(), 1);
}

void tst_NumbraxGame::bestInLine_data()
{
    QTest::addColumn<QString>("line"); // row 0, and the same numbers down column 0
    QTest::addColumn<int>("best");
    QTest::addColumn<int>("foundAt");
    QTest::newRow("first of equal maxima") << "3 7 7 1" << 7 << 1;
    QTest::newRow("zeros skipped") << "0 -4 0 -2" << -2 << 3;
    QTest::newRow("blank cells skipped") << ". . 5 ." << 5 << 2;
    QTest::newRow("no number") << "0 . 0 ." << -999999 << 42;
}

void tst_NumbraxGame::bestInLine()
{
    QFETCH(QString, line);
    QFETCH(int, best);
    QFETCH(int, foundAt);
    const std::vector<std::string> cells = SplitWords(line.toStdString());
    Board numbers(4);
    for (int i = 0; i < 4; ++i) {
        const std::string text = cells[std::size_t(i)] == "." ? std::string() : cells[std::size_t(i)];
        numbers.setText(i, 0, text);
        numbers.setText(0, i, text);
    }
    TNumbraxGame game;
    game.StartGame(numbers);

    int at = 42; // stays untouched when the line holds no number
    QCOMPARE(game.BestInRow(0, at), best);
    QCOMPARE(at, foundAt);
    at = 42;
    QCOMPARE(game.BestInCol(0, at), best);
    QCOMPARE(at, foundAt);
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
        << QStringList{"player 0 0 1", "message Компьютеру некуда ходить. Ваш ход."};
    QTest::newRow("player passes twice")
        << "1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5" << false << QPoint(0, 0)
        << QStringList{"player 0 0 1", "computer 0 1 9", "message Вам некуда ходить. Ход комьютера.",
                       "computer 0 2 8", "message Вам некуда ходить. Ход комьютера.", "computer 0 3 2"};
    QTest::newRow("end without a pass message")
        << "1 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 1", "message Конец игры. Поздравляю! Вы выиграли.", "panel Поздравляю! Вы выиграли."};
    QTest::newRow("draw, by columns")
        << "4 4 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0" << true << QPoint(0, 0)
        << QStringList{"player 0 0 4", "computer 1 0 4", "message Конец игры. Ничья", "panel Ничья"};
    QTest::newRow("lost")
        << "1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 1", "computer 0 1 3", "message Конец игры. Очень жаль, но Вы проиграли.",
                       "panel Очень жаль, но Вы проиграли."};
    QTest::newRow("negative totals compare signed")
        << "-3 0 0 0\n-5 0 0 0\n0 0 0 0\n0 0 0 0" << false << QPoint(0, 0)
        << QStringList{"player 0 0 -3", "computer 0 1 -5", "message Конец игры. Поздравляю! Вы выиграли.",
                       "panel Поздравляю! Вы выиграли."};
}

void tst_NumbraxGame::turns()
{
    QFETCH(QString, numbers);
    QFETCH(bool, byCols);
    QFETCH(QPoint, pick);
    QFETCH(QStringList, events);

    TNumbraxGame game;
    Recorder recorder(&game);
    game.SetGoByCols(byCols);
    const std::string text = numbers.toStdString();
    startAt(game, text.c_str(), pick.x(), pick.y());
    recorder.events.clear();

    game.Press();
    QCOMPARE(recorder.events, events);
    const bool ended = events.last().startsWith(QStringLiteral("panel"));
    QCOMPARE(game.GameActive(), !ended);
    QVERIFY(!game.Busy());
}

void tst_NumbraxGame::busyOnlyDuringComputersTurn()
{
    TNumbraxGame game;
    Recorder recorder(&game);
    // First the computer cannot move (message outside its turn), then the player must pass
    // (message inside it).
    startAt(game, "1 2 0 0\n0 0 0 0\n0 9 0 0\n0 3 0 5", 0, 0);
    game.Press();
    game.PointerMove(1, 3);
    game.Press();
    QCOMPARE(recorder.events,
             (QStringList{"player 0 0 1", "message Компьютеру некуда ходить. Ваш ход.", "player 1 0 2", "computer 1 2 9",
                          "message Вам некуда ходить. Ход комьютера.", "computer 1 3 3"}));
    QCOMPARE(recorder.busyDuringMessage, (std::vector<bool>{false, true}));
    QCOMPARE(recorder.pointerLiveDuringMessage, (std::vector<bool>{true, false}));
    QVERIFY(!game.Busy());
    QVERIFY(game.PointerMove(-1, -1));
}

void tst_NumbraxGame::pressOnTakenCellEndsFreeChoice()
{
    TNumbraxGame game;
    startAt(game, "0 1 2 3\n4 5 6 7\n8 9 1 2\n3 4 5 6", 0, 0);
    QVERIFY(game.FreeChoice());
    const Board before = game.board();
    game.Press();
    QVERIFY(!game.FreeChoice());
    QVERIFY(game.board() == before);
    QCOMPARE(game.PlayerScore(), 0);
    QCOMPARE(game.CompScore(), 0);
    // Now the pointer moves the cell along row 0 only.
    QVERIFY(game.PointerMove(2, 3));
    QCOMPARE(game.CurCol(), 2);
    QCOMPARE(game.CurRow(), 0);
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
    QVERIFY(!game.GameActive());
    const Board final = game.board();
    recorder.events.clear();

    QVERIFY(!game.PointerMove(3, 3));
    game.Press();
    QVERIFY(recorder.events.isEmpty());
    QVERIFY(game.board() == final);
    QCOMPARE(game.ResultText(), std::string("Поздравляю! Вы выиграли."));
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
    game.SetGoByCols(byCols);
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
    QTest::addColumn<QList<int>>("values"); // every value that may occur; each one must occur

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
    QFETCH(QList<int>, values);

    TNumbraxGame game;
    game.SetMaxNum(limit);
    game.SetNegativNum(negative);
    game.SetUseNullCells(nulls);
    game.Reseed(12345);
    std::set<int> seen;
    for (int i = 0; i < 5000; ++i)
        seen.insert(game.RandomCellValue());
    QCOMPARE(seen, std::set<int>(values.begin(), values.end()));
}

void tst_NumbraxGame::emptyCellFrequency()
{
    // Each cell is 0 with probability 1 / limit.
    TNumbraxGame game;
    game.SetMaxNum(4);
    game.SetUseNullCells(true);
    game.Reseed(7);
    const int draws = 40000;
    int zeros = 0;
    for (int i = 0; i < draws; ++i)
        zeros += game.RandomCellValue() == 0;
    QVERIFY2(std::abs(zeros - draws / 4) < 600, qPrintable(QString::number(zeros))); // about 7 sigma
}

void tst_NumbraxGame::negativeShare()
{
    TNumbraxGame game;
    game.SetMaxNum(999999);
    game.SetNegativNum(true);
    game.Reseed(99);
    const int draws = 40000;
    int negatives = 0;
    std::int32_t lowest = 0, highest = 0;
    for (int i = 0; i < draws; ++i) {
        const std::int32_t v = game.RandomCellValue();
        negatives += v < 0;
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    QVERIFY2(std::abs(negatives - draws / 2) < 700, qPrintable(QString::number(negatives)));
    QVERIFY(highest <= 999998 && highest > 990000);
    QVERIFY(lowest >= -999998 && lowest < -990000);
}

void tst_NumbraxGame::newGame()
{
    TNumbraxGame game;
    Recorder recorder(&game);
    startAt(game, "1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0", 0, 0);
    game.Press(); // ends lost, with a result text
    QVERIFY(!game.ResultText().empty());

    game.SetBoardSize(6);
    game.NewGame();
    QVERIFY(game.ResultText().empty());
    QVERIFY(game.GameActive());
    QVERIFY(game.FreeChoice());
    QVERIFY(!game.Busy());
    QCOMPARE(game.PlayerScore(), 0);
    QCOMPARE(game.CompScore(), 0);
    QCOMPARE(game.PlayerLast(), 0);
    QCOMPARE(game.CompLast(), 0);
    QCOMPARE(game.board().size(), 6);
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 6; ++col) {
            const std::int32_t v = game.CellValue(col, row);
            QVERIFY(v >= 1 && v <= 9);
            QCOMPARE(game.board().text(col, row), std::to_string(v));
        }
}

void tst_NumbraxGame::newGameBringsCurrentCellOntoBoard()
{
    TNumbraxGame game;
    game.NewGame();
    QVERIFY(game.PointerMove(9, 8));
    game.SetBoardSize(4);
    game.NewGame();
    QCOMPARE(game.CurCol(), 3);
    QCOMPARE(game.CurRow(), 3);
    game.Press(); // must address a cell of the board
    QVERIFY(game.PlayerScore() > 0);
}

void tst_NumbraxGame::newGamesDiffer()
{
    TNumbraxGame game;
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
}

void tst_NumbraxGame::settingsStayInRange()
{
    TNumbraxGame game;
    game.SetMaxNum(1);
    QCOMPARE(game.MaxNum(), 2);
    game.SetMaxNum(5000000);
    QCOMPARE(game.MaxNum(), 999999);
    game.SetBoardSize(3);
    QCOMPARE(game.BoardSize(), 4);
    game.SetBoardSize(51);
    QCOMPARE(game.BoardSize(), 50);
}

void tst_NumbraxGame::totalsBeyond32Bits()
{
    TNumbraxGame game;
    game.SetPlayerScore(INT_MAX);
    game.AddPlayerScore(999998);
    QCOMPARE(game.PlayerScore(), std::int64_t(INT_MAX) + 999998);
    QCOMPARE(game.PlayerLast(), 999998);
    game.SetCompScore(INT_MIN);
    game.AddCompScore(-999998);
    QCOMPARE(game.CompScore(), std::int64_t(INT_MIN) - 999998);
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
    game.SetBoardSize(size);
    game.SetMaxNum(limit);
    game.SetNegativNum(negative);
    game.SetUseNullCells(nulls);
    game.SetGoByCols(byCols);
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
    const QString last = recorder.events.last();
    const QString expected = game.PlayerScore() == game.CompScore() ? QStringLiteral("Ничья")
                             : game.PlayerScore() > game.CompScore() ? QStringLiteral("Поздравляю! Вы выиграли.")
                                                                     : QStringLiteral("Очень жаль, но Вы проиграли.");
    QCOMPARE(last, QStringLiteral("panel ") + expected);
}

QTEST_GUILESS_MAIN(tst_NumbraxGame)
#include "tst_NumbraxGame.moc"
