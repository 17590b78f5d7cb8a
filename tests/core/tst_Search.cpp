// SPDX-License-Identifier: MIT
#include "GameFixtures.h"
#include "NumbraxGame.h"
#include "Position.h"
#include "Search.h"

#include <QTest>

#include <algorithm>
#include <unordered_map>

using namespace numbrax;

Q_DECLARE_METATYPE(numbrax::Strength)

namespace {

// The value of the rest of a game to the side to move, by trying every sequence of picks the
// rules allow. It knows no rule of its own: it asks the position for the picks and plays them.
// Only for boards of up to 64 cells: a position is the set of its taken cells and its mover.
class Solver
{
public:
    std::int64_t value(Position &p, std::uint64_t taken)
    {
        const std::uint64_t key = taken * 128 + std::uint64_t(p.line()) * 2 + (p.toMove() == Side::Player ? 1 : 0);
        // The set of taken cells and the line fix the position; the key packs them while
        // boards stay below 2^57 cells worth of bits, which every board here does.
        if (const auto found = FMemo.find(key); found != FMemo.end())
            return found->second;
        std::int64_t best = INT64_MIN;
        for (const int m : p.moves())
            best = std::max(best, after(p, taken, m));
        FMemo.emplace(key, best);
        return best;
    }
    // The value to the side to move of picking m and playing perfectly from then on.
    std::int64_t after(Position &p, std::uint64_t taken, int m)
    {
        const std::int64_t v = p.value(m);
        const Side mover = p.toMove();
        p.play(m);
        const std::uint64_t now = taken | (std::uint64_t(1) << m);
        const std::int64_t score = p.over() ? v : p.toMove() == mover ? v + value(p, now) : v - value(p, now);
        p.undo();
        return score;
    }

private:
    std::unordered_map<std::uint64_t, std::int64_t> FMemo;
};

std::uint64_t TakenMask(const Position &start, const Position &now)
{
    std::uint64_t mask = 0;
    for (int m = 0; m < start.size() * start.size(); ++m)
        if (start.value(m) != 0 && now.value(m) == 0)
            mask |= std::uint64_t(1) << m;
    return mask;
}

} // namespace

class tst_Search : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lockstep_data();
    void lockstep();
    void legalAndDeterministic_data();
    void legalAndDeterministic();
    void perfectPlay_data();
    void perfectPlay();
};

void tst_Search::lockstep_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("nulls");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<Strength>("strength");
    QTest::newRow("defaults") << 10 << 10 << false << false << false << Strength::Normal;
    QTest::newRow("by columns, empty cells") << 8 << 3 << false << true << true << Strength::Novice;
    QTest::newRow("many passes") << 6 << 2 << false << true << false << Strength::Strong;
    QTest::newRow("negatives, by columns") << 7 << 999999 << true << false << true << Strength::Master;
    QTest::newRow("everything, largest board") << 50 << 50 << true << true << false << Strength::Normal;
}

void tst_Search::lockstep()
{
    // Random games played by the game and mirrored on a position: both agree, pick by pick, on
    // whose turn it is, what it may pick, the totals and the end.
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(bool, nulls);
    QFETCH(bool, byCols);
    QFETCH(Strength, strength);

    int picks = 0;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const Board numbers = DealtBoard(size, limit, negative, nulls, seed * 31 + std::uint64_t(size));
        Position mirror(numbers, byCols, Side::Player, {0, 0}, true);

        struct Mirror : TGameListener
        {
            Position *position;
            int disagreements = 0;
            int picks = 0;
            void Picked(Side side, int col, int row, std::int32_t value) override
            {
                const int m = position->moveAt({col, row});
                const std::vector<int> allowed = position->moves();
                if (position->toMove() != side || position->value(m) != value ||
                    std::find(allowed.begin(), allowed.end(), m) == allowed.end())
                    ++disagreements;
                else
                    position->play(m);
                ++picks;
            }
        } listener;
        listener.position = &mirror;

        TNumbraxGame game(&listener);
        Settings settings = game.settings();
        settings.GoByCols = byCols;
        game.SetSettings(settings);
        game.SetStrength(strength);
        game.StartGame(numbers);
        TestDraws draws(seed);
        while (game.GameActive()) {
            QVERIFY(!mirror.over());
            QCOMPARE(mirror.toMove(), Side::Player);
            const std::vector<int> moves = mirror.moves();
            if (!game.FreeChoice()) {
                // The player's line through the current cell holds exactly the picks offered.
                std::vector<int> line;
                for (int i = 0; i < size; ++i) {
                    const Cell at = byCols ? Cell{game.CurCol(), i} : Cell{i, game.CurRow()};
                    if (game.CellValue(at.col, at.row) != 0)
                        line.push_back(mirror.moveAt(at));
                }
                std::sort(line.begin(), line.end());
                std::vector<int> sorted = moves;
                std::sort(sorted.begin(), sorted.end());
                QCOMPARE(sorted, line);
            }
            const Cell at = mirror.cell(moves[std::size_t(draws.below(int(moves.size())))]);
            game.PointerMove(at.col, at.row);
            game.Press();
            QCOMPARE(listener.disagreements, 0);
            QCOMPARE(mirror.playerScore(), game.PlayerScore());
            QCOMPARE(mirror.compScore(), game.CompScore());
        }
        QVERIFY(mirror.over());
        picks += listener.picks;
        // Taking everything back on the position leaves the board it started from.
        while (mirror.played() > 0)
            mirror.undo();
        QCOMPARE(TakenMask(Position(numbers, byCols, Side::Player, {0, 0}, true), mirror), std::uint64_t(0));
        QCOMPARE(mirror.playerScore() + mirror.compScore(), 0);
    }
    QVERIFY(picks > 4 * size);
}

void tst_Search::legalAndDeterministic_data()
{
    QTest::addColumn<Strength>("strength");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("negative");
    QTest::newRow("novice") << Strength::Novice << 10 << false;
    QTest::newRow("normal") << Strength::Normal << 10 << true;
    QTest::newRow("strong") << Strength::Strong << 12 << true;
    QTest::newRow("master") << Strength::Master << 9 << false;
}

void tst_Search::legalAndDeterministic()
{
    // In positions along a game, for either side and in the free choice, a strength picks a
    // number open to it, and the same one every time it is asked.
    QFETCH(Strength, strength);
    QFETCH(int, size);
    QFETCH(bool, negative);
    const Board numbers = DealtBoard(size, 30, negative, true, 2024);
    Position position(numbers, false, Side::Player, {0, 0}, true);
    TestDraws draws(5);
    int asked = 0;
    while (!position.over()) {
        const std::vector<int> moves = position.moves();
        const int pick = ChoosePick(position, strength);
        QVERIFY(std::find(moves.begin(), moves.end(), pick) != moves.end());
        if (asked++ % 5 == 0)
            QCOMPARE(ChoosePick(Position(position), strength), pick);
        position.play(draws.below(3) == 0 ? moves[std::size_t(draws.below(int(moves.size())))] : pick);
    }
    QVERIFY(asked > size);
}

void tst_Search::perfectPlay_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("nulls");
    QTest::addColumn<bool>("byCols");
    QTest::addColumn<int>("stride"); // games from every stride-th first pick of the player
    QTest::newRow("4 x 4") << 4 << 10 << false << false << false << 1;
    QTest::newRow("4 x 4, by columns") << 4 << 10 << false << false << true << 1;
    QTest::newRow("4 x 4, negatives, empty cells") << 4 << 10 << true << true << false << 1;
    QTest::newRow("5 x 5, empty cells") << 5 << 10 << false << true << false << 12;
    QTest::newRow("5 x 5, large numbers") << 5 << 999999 << true << false << true << 25;
}

void tst_Search::perfectPlay()
{
    // Master, as the computer, answers the player's first pick and every pick after it with a
    // pick that keeps the best margin perfect play can reach, whatever the player does; on the
    // smallest boards the hint finds a perfect free first pick too.
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(bool, nulls);
    QFETCH(bool, byCols);
    QFETCH(int, stride);

    const Board numbers = DealtBoard(size, limit, negative, nulls, std::uint64_t(size * limit + stride));
    const Position start(numbers, byCols, Side::Player, {0, 0}, true);
    Solver solver;
    if (size == 4) {
        Position p = start;
        QCOMPARE(solver.after(p, 0, ChoosePick(p, Strength::Master)), solver.value(p, 0));
    }
    TestDraws draws{std::uint64_t(size)};
    const std::vector<int> firsts = start.moves();
    int checked = 0;
    for (std::size_t f = 0; f < firsts.size(); f += std::size_t(stride)) {
        Position p = start;
        p.play(firsts[f]);
        while (!p.over()) {
            const std::vector<int> moves = p.moves();
            if (p.toMove() == Side::Player) {
                p.play(moves[std::size_t(draws.below(int(moves.size())))]);
                continue;
            }
            const std::uint64_t taken = TakenMask(start, p);
            const int pick = ChoosePick(p, Strength::Master);
            QCOMPARE(solver.after(p, taken, pick), solver.value(p, taken));
            p.play(pick);
            ++checked;
        }
    }
    QVERIFY(checked > 2 * int(firsts.size()) / stride);
}

QTEST_GUILESS_MAIN(tst_Search)
#include "tst_Search.moc"
