// SPDX-License-Identifier: MIT
#include "Board.h"
#include "BoardText.h"

#include <QTest>

#include <climits>
#include <stdexcept>

using namespace numbrax;

class tst_Board : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellTextValue_data();
    void cellTextValue();
    void valuesFollowTexts();
    void accessOutsideThrows();
    void resizeKeepsCommonCells();
    void textRoundTrip();
    void malformedText_data();
    void malformedText();
};

void tst_Board::cellTextValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << "42" << 42;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("taken") << "0" << 0;
    QTest::newRow("blank") << "" << 0;
    QTest::newRow("word") << "abc" << 0;
    QTest::newRow("lone sign") << "-" << 0;
    QTest::newRow("sign inside") << "1-2" << 0;
    QTest::newRow("two signs") << "+-1" << 0;
    QTest::newRow("leading blank") << " 5" << 0;
    QTest::newRow("trailing letter") << "5x" << 0;
    QTest::newRow("largest") << "2147483647" << INT_MAX;
    QTest::newRow("smallest") << "-2147483648" << INT_MIN;
    QTest::newRow("beyond 32 bits") << "2147483648" << 0;
}

void tst_Board::cellTextValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(CellTextValue(text.toStdString()), value);
}

void tst_Board::valuesFollowTexts()
{
    Board board(4);
    QCOMPARE(board.value(1, 2), 0);
    QVERIFY(board.text(1, 2).empty());
    board.setText(1, 2, "17");
    QCOMPARE(board.value(1, 2), 17);
    board.setNumber(3, 0, -9);
    QCOMPARE(board.text(3, 0), std::string("-9"));
    QCOMPARE(board.value(3, 0), -9);
    board.setText(1, 2, "x");
    QCOMPARE(board.value(1, 2), 0);
    board.clear();
    QVERIFY(board.text(3, 0).empty());
    QCOMPARE(board.value(3, 0), 0);
}

void tst_Board::accessOutsideThrows()
{
    Board board(4);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, board.value(4, 0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, board.text(0, -1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, board.setNumber(-1, 0, 3));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Board(0));
}

void tst_Board::resizeKeepsCommonCells()
{
    Board board = *BoardFromText(R"(
        1 2 3 4 5
        6 7 8 9 1
        2 3 4 5 6
        7 8 9 1 2
        3 4 5 6 7)");
    board.resize(4);
    QCOMPARE(board.size(), 4);
    QCOMPARE(board.value(3, 3), 1);
    QCOMPARE(board.value(0, 1), 6);
    board.resize(6);
    QCOMPARE(board.value(3, 3), 1);
    QVERIFY(board.text(5, 5).empty());
    QVERIFY(board.text(4, 0).empty()); // cut off by the smaller size, not brought back
}

void tst_Board::textRoundTrip()
{
    const std::string text = "1 . -3 0\n4 5 6 7\n. . . .\n9 8 7 6\n";
    const std::optional<Board> board = BoardFromText(text);
    QVERIFY(board);
    QCOMPARE(board->size(), 4);
    QVERIFY(board->text(1, 0).empty());
    QCOMPARE(board->value(2, 0), -3);
    QCOMPARE(board->text(3, 0), std::string("0"));
    QCOMPARE(BoardToText(*board), text);
}

void tst_Board::malformedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("short row") << "1 2 3 4\n1 2 3\n1 2 3 4\n1 2 3 4";
    QTest::newRow("long row") << "1 2 3 4\n1 2 3 4 5\n1 2 3 4\n1 2 3 4";
    QTest::newRow("missing row") << "1 2 3 4\n1 2 3 4\n1 2 3 4";
}

void tst_Board::malformedText()
{
    QFETCH(QString, text);
    QVERIFY(!BoardFromText(text.toStdString()));
}

QTEST_GUILESS_MAIN(tst_Board)
#include "tst_Board.moc"
