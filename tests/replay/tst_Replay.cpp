// SPDX-License-Identifier: MIT
#include "BoardText.h"
#include "GameFixtures.h"
#include "Replay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <set>
#include <sstream>

namespace {

struct Run
{
    int status;
    QString out;
    QString err;
};

Run replay(const QString &script, const numbrax::ReplayLimits &limits = {})
{
    std::istringstream in(script.toStdString());
    std::ostringstream out, err;
    const int status = numbrax::RunReplay(in, out, err, limits);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

class tst_Replay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void transcripts_data();
    void transcripts();
    void newGameBoards_data();
    void newGameBoards();
    void errors_data();
    void errors();
    void searchLimit();
    void takenBackAndReplayed_data();
    void takenBackAndReplayed();
    void program();
};

void tst_Replay::transcripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    const QDir games(QStringLiteral(REPLAY_GAMES));
    const QStringList scripts = games.entryList({QStringLiteral("*.script")}, QDir::Files, QDir::Name);
    QVERIFY(scripts.size() >= 5);
    for (const QString &name : scripts) {
        const QString base = name.chopped(int(qstrlen(".script")));
        QTest::newRow(qPrintable(base)) << readFile(games.filePath(name)) << readFile(games.filePath(base + ".out"));
    }
}

void tst_Replay::transcripts()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);
    QVERIFY(!expected.isEmpty());
    const Run run = replay(script);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, expected);
}

void tst_Replay::newGameBoards_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("texts"); // every text that may occur; each must occur
    QTest::newRow("limit 2") << "newgame 4 2 0 0" << 4 << QStringList{"1"};
    QTest::newRow("limit 2, negatives") << "newgame 20 2 1 0" << 20 << QStringList{"1", "-1"};
    QTest::newRow("limit 2, empty cells") << "newgame 20 2 0 1" << 20 << QStringList{"0", "1"};
    QTest::newRow("defaults, largest board")
        << "newgame 50 10 0 0" << 50 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
}

void tst_Replay::newGameBoards()
{
    QFETCH(QString, command);
    QFETCH(int, size);
    QFETCH(QStringList, texts);
    const Run run = replay(command + "\nprint\n");
    QCOMPARE(run.status, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2 * size); // the board after newgame, then print's copy
    std::set<QString> seen;
    for (const QString &line : lines) {
        const QStringList cells = line.split(' ');
        QCOMPARE(cells.size(), size);
        seen.insert(cells.begin(), cells.end());
    }
    QCOMPARE(seen, std::set<QString>(texts.begin(), texts.end()));
    QCOMPARE(lines.mid(0, size), lines.mid(size));
}

void tst_Replay::errors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("out"); // what was printed before the faulty line

    const QString board4 = QStringLiteral("board 4\n1 2 3 4\n5 6 7 8\n9 1 2 3\n4 5 6 7\n");
    QTest::newRow("unknown command") << "bycols 1\n\nfly\nprint\n" << 3 << "";
    QTest::newRow("flag out of range") << "bycols 2\n" << 1 << "";
    QTest::newRow("board too small") << "board 3\n1 2 3\n1 2 3\n1 2 3\n" << 1 << "";
    QTest::newRow("short board row") << "# a comment\nboard 4\n1 2 3 4\n1 2 3\n1 2 3 4\n1 2 3 4\n" << 4 << "";
    QTest::newRow("board cut short") << "board 4\n1 2 3 4\n" << 2 << "";
    QTest::newRow("column beyond the board") << board4 + "move 5 0\nprint\n" << 6 << "";
    QTest::newRow("row before the board") << board4 + "move 0 -2\n" << 6 << "";
    QTest::newRow("not a number") << board4 + "move a 1\n" << 6 << "";
    QTest::newRow("extra word") << board4 + "move 0 0\npress now\n" << 7 << "cur 0 0\n";
    QTest::newRow("limit too small") << "newgame 4 1 0 0\n" << 1 << "";
    QTest::newRow("limit too large") << "newgame 4 1000000 0 0\n" << 1 << "";
    QTest::newRow("size too large") << "newgame 51 10 0 0\n" << 1 << "";
    QTest::newRow("missing argument") << "newgame 4 10 0\n" << 1 << "";
    QTest::newRow("unknown level") << "level normal\n\nlevel grandmaster\n" << 3 << "";
    QTest::newRow("level without a name") << board4 + "undo\nlevel\n" << 7 << "undo none\n";
    QTest::newRow("output before the error stays")
        << board4 + "print\nmove 9 9\nprint\n" << 7 << "1 2 3 4\n5 6 7 8\n9 1 2 3\n4 5 6 7\n";
    // Comments count, and the limit holds inside a board's rows too.
    QTest::newRow("one line too many") << QString("#\n").repeated(numbrax::kMaxScriptLines) + "print\n"
                                       << numbrax::kMaxScriptLines + 1 << "";
    // The first line is as long as a line may be, the second one byte longer.
    const QString longest = "#" + QString("x").repeated(int(numbrax::kMaxLineLength) - 1) + "\n";
    QTest::newRow("one byte too many") << longest + "x" + longest << 2 << "";
    QTest::newRow("board past the last line")
        << QString("#\n").repeated(numbrax::kMaxScriptLines - 2) + board4 << numbrax::kMaxScriptLines + 1 << "";
}

void tst_Replay::errors()
{
    QFETCH(QString, script);
    QFETCH(int, line);
    QFETCH(QString, out);
    const Run run = replay(script);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, out);
    QVERIFY2(run.err.startsWith(QStringLiteral("numbrax-replay: line %1: ").arg(line)), qPrintable(run.err));
    QCOMPARE(run.err.count('\n'), 1);
}

void tst_Replay::searchLimit()
{
    // A caller that must finish every script soon can stop one that asks for many searches.
    const QString script = QStringLiteral("board 4\n1 2 3 4\n5 6 7 8\n9 1 2 3\n4 5 6 7\n"
                                          "hint\nmove 0 0\npress\nlevel master\nmove 3 1\npress\nhint\n");
    const Run within = replay(script, {3});
    QCOMPARE(within.status, 0);
    const Run beyond = replay(script, {1});
    QCOMPARE(beyond.status, 2);
    QVERIFY2(beyond.err.startsWith(QStringLiteral("numbrax-replay: line 11: ")), qPrintable(beyond.err));
    QVERIFY(within.out.startsWith(beyond.out));
}

void tst_Replay::takenBackAndReplayed_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("byCols");
    QTest::newRow("normal") << "normal" << false;
    QTest::newRow("master, by columns") << "master" << true;
}

void tst_Replay::takenBackAndReplayed()
{
    // A whole game, every pick of it taken back, and the same picks again: the second game's
    // transcript is the first one's, and the take-backs walk back to the start.
    QFETCH(QString, level);
    QFETCH(bool, byCols);
    const numbrax::Board numbers = DealtBoard(6, 10, false, true, 606);
    const QString start = QStringLiteral("bycols %1\nlevel %2\nboard 6\n%3")
                              .arg(byCols ? 1 : 0)
                              .arg(level, QString::fromStdString(numbrax::BoardToText(numbers)));
    // The player takes the hinted cell each time.
    numbrax::TNumbraxGame game;
    game.SetSettings({6, 10, false, true, byCols});
    game.SetStrength(level == QLatin1String("master") ? numbrax::Strength::Master : numbrax::Strength::Normal);
    game.StartGame(numbers);
    game.PointerMove(1, 4);
    game.Press();
    QString picks = QStringLiteral("move 1 4\npress\n");
    int presses = 1;
    for (std::optional<numbrax::Cell> hint; (hint = game.Hint()); ++presses) {
        game.PointerMove(hint->col, hint->row);
        game.Press();
        picks += QStringLiteral("move %1 %2\npress\n").arg(hint->col).arg(hint->row);
    }

    const Run once = replay(start + picks);
    const Run again = replay(start + picks + QStringLiteral("undo\n").repeated(presses + 1) + picks);
    QCOMPARE(again.err, QString());
    QVERIFY(again.out.startsWith(once.out) && again.out.endsWith(once.out));
    const QStringList undone = again.out.mid(once.out.size(), again.out.size() - 2 * once.out.size()).split('\n');
    QCOMPARE(undone.size(), 2 * presses + 2); // cur and score for each, "undo none", the last newline
    QCOMPARE(undone.mid(undone.size() - 4), (QStringList{"cur 1 4", "score 0 0", "undo none", ""}));
}

void tst_Replay::program()
{
    const QString program = QStringLiteral(REPLAY_PROGRAM);
    const QString script = QDir(QStringLiteral(REPLAY_GAMES)).filePath(QStringLiteral("win.script"));
    const QByteArray expected = readFile(QDir(QStringLiteral(REPLAY_GAMES)).filePath(QStringLiteral("win.out"))).toUtf8();

    QProcess fromFile;
    fromFile.start(program, {script});
    QVERIFY(fromFile.waitForFinished(20000));
    QCOMPARE(fromFile.exitCode(), 0);
    QCOMPARE(fromFile.readAllStandardOutput(), expected);

    QProcess fromInput;
    fromInput.start(program, {});
    QVERIFY(fromInput.waitForStarted(20000));
    fromInput.write(readFile(script).toUtf8());
    fromInput.closeWriteChannel();
    QVERIFY(fromInput.waitForFinished(20000));
    QCOMPARE(fromInput.exitCode(), 0);
    QCOMPARE(fromInput.readAllStandardOutput(), expected);

    // Through a pipe, pick by pick: each answer arrives before the next command is sent.
    QProcess piped;
    piped.start(program, {});
    QVERIFY(piped.waitForStarted(20000));
    piped.write("board 4\n0 0 0 0\n0 0 7 0\n0 0 0 0\n0 0 0 0\nhint\n");
    QByteArray answer;
    while (!answer.endsWith('\n') && piped.waitForReadyRead(20000))
        answer += piped.readAllStandardOutput();
    QCOMPARE(answer, QByteArray("hint 2 1\n"));
    piped.write("move 2 1\npress\n");
    answer.clear();
    while (answer.count('\n') < 4 && piped.waitForReadyRead(20000))
        answer += piped.readAllStandardOutput();
    QVERIFY2(answer.startsWith("cur 2 1\nplayer 2 1 7\n"), answer.constData());
    piped.closeWriteChannel();
    QVERIFY(piped.waitForFinished(20000));
    QCOMPARE(piped.exitCode(), 0);

    QTemporaryDir dir;
    QProcess missing;
    missing.start(program, {dir.filePath(QStringLiteral("no-such-script"))});
    QVERIFY(missing.waitForFinished(20000));
    QCOMPARE(missing.exitCode(), 2);
    QVERIFY(missing.readAllStandardOutput().isEmpty());
    QVERIFY(!missing.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(tst_Replay)
#include "tst_Replay.moc"
