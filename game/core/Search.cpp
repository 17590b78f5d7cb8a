// SPDX-License-Identifier: MIT
#include "Search.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace numbrax {

namespace {

// Beyond any margin: 2500 cells of at most 2^31 each stay far below it, and adding or taking a
// number from it cannot overflow.
constexpr std::int64_t kInf = std::int64_t(1) << 62;
constexpr int kMaxDepth = 250;
constexpr std::uint8_t kSolved = 255; // a table entry whose value no horizon touched
// Numbers left on the board from which on a search tries to play the rest of the game out.
constexpr int kSolveWithin = 40;
// Line values: what a line's worth to the other side counts against a pick, in sixteenths,
// and how many rounds of weighing them against each other make them settle.
constexpr std::int64_t kDiscount = 12;
constexpr int kLineRounds = 10;
// Picks played out at the horizon before the line worths stand in for the rest.
constexpr int kPlayout = 4;
// From the fourth pick of a node on, picks are first searched a pick shallower, from this
// depth up.
constexpr int kReduceAfter = 3;
constexpr int kReduceFrom = 3;

// In sixteenths, what taking a number is worth when the line it opens is worth `otherLine` to
// the other side.
constexpr std::int64_t PickWorth(std::int64_t value, std::int64_t otherLine)
{
    return 16 * value - kDiscount * otherLine / 16;
}

std::int64_t ClampWindow(std::int64_t v)
{
    return std::clamp(v, -kInf, kInf);
}

// The worth to the side to move of taking `move`, the rest of the game valued by
// rest(alpha, beta) for whichever side picks next, within the window (alpha, beta) as the side
// to move sees it. A side that picks again after the other passes adds instead of subtracting.
template <typename Rest>
std::int64_t WorthOfPick(Position &pos, int move, std::int64_t alpha, std::int64_t beta, Rest rest)
{
    const std::int64_t v = pos.value(move);
    const Side mover = pos.toMove();
    pos.play(move);
    std::int64_t score;
    if (pos.over())
        score = v;
    else if (pos.toMove() != mover)
        score = v - rest(ClampWindow(v - beta), ClampWindow(v - alpha));
    else
        score = v + rest(ClampWindow(alpha - v), ClampWindow(beta - v));
    pos.undo();
    return score;
}

// How good a pick looks before searching it: its number against the best one it opens to the
// other side. Normal plays by this alone. Its scan for that best number starts from -999999,
// so a line whose numbers all lie below counts as holding -999999.
constexpr std::int64_t kNoBest = -999999;
std::int64_t Prospect(const Position &pos, int move)
{
    const std::int64_t v = pos.value(move);
    return 2 * v - std::max<std::int64_t>(kNoBest, pos.lineMax(Opponent(pos.toMove()), pos.crossLine(move)));
}

enum class Bound : std::uint8_t { None, Lower, Upper, Exact };

struct TableEntry
{
    std::int64_t value = 0;
    std::uint32_t check = 0; // the key's upper half; its lower bits chose the slot
    std::int16_t move = -1;
    std::uint8_t depth = 0;
    Bound bound = Bound::None;
};

class Searcher
{
public:
    Searcher(const Position &position, const SearchLimits &limits);
    SearchResult run();

private:
    struct RootOutcome
    {
        int best = -1;
        std::int64_t value = 0;
        bool finished = false;
        bool exact = false;
    };
    // The picks of a node in the order they are tried, with what ordered them. One a ply, kept
    // from node to node so that a search allocates nothing.
    struct Ply
    {
        std::vector<int> moves;
        std::vector<std::int64_t> keys;
    };

    RootOutcome searchRoot(const std::vector<int> &moves, int depth);
    std::int64_t search(int depth, std::int64_t alpha, std::int64_t beta);
    std::int64_t child(int move, int depth, std::int64_t alpha, std::int64_t beta)
    {
        return WorthOfPick(FPos, move, alpha, beta, [&](std::int64_t a, std::int64_t b) { return search(depth - 1, a, b); });
    }
    void weighLines();
    std::int64_t evaluate();
    // The pick the line worths favour for the side to move, with its worth in sixteenths.
    std::pair<int, std::int64_t> favourite() const;
    void generate(Ply &ply, int first) const;
    Ply &ply() { return FPlies[std::size_t(FPos.played() - FRootPlayed)]; }
    std::uint64_t key() const
    {
        return FPos.takenKey() ^ Mix64(std::uint64_t(FPos.line()) * 2 + (FPos.toMove() == Side::Player ? 1 : 0));
    }
    // In sixteenths, what picking in a row is worth to the player, in a column to the computer.
    const std::vector<std::int64_t> &lineWorth(Side side) const { return side == Side::Player ? FRowWorth : FColWorth; }

    Position FPos;
    SearchLimits FLimits;
    std::vector<TableEntry> FTable;
    std::size_t FMask = 0;
    std::vector<Ply> FPlies;
    std::vector<std::int64_t> FRowWorth;
    std::vector<std::int64_t> FColWorth;
    int FRootPlayed = 0;
    std::int64_t FNodes = 0;
    std::int64_t FNodeLimit = 0;
    std::int64_t FHorizon = 0; // leaves cut off by the depth; none in a search means it is exact
    bool FAborted = false;
};

Searcher::Searcher(const Position &position, const SearchLimits &limits)
    : FPos(position)
    , FLimits(limits)
    , FRootPlayed(position.played())
    , FNodeLimit(limits.nodes)
{
    // The table serves mostly to order the picks; a small one that stays in the cache beats a
    // large one that does not: an entry for about every eighth node, 2^12 to 2^18 of them (16
    // bytes each).
    std::size_t entries = 1u << 12;
    while (entries < (1u << 18) && std::int64_t(entries) * 8 < limits.nodes)
        entries <<= 1;
    FTable.resize(entries);
    FMask = entries - 1;
    FPlies.resize(kMaxDepth + 1);
    for (Ply &ply : FPlies) {
        ply.moves.reserve(std::size_t(FPos.size()));
        ply.keys.reserve(std::size_t(FPos.size()));
    }
    if (limits.evaluate)
        weighLines();
}

void Searcher::weighLines()
{
    // What each line still holds for whom. Picking in a line is worth its best pick: that
    // pick's number less what the line it opens is worth to the other side, discounted, since
    // neither the numbers nor the game last for ever. Rounds of this settle the worth of every
    // row to the player and every column to the computer. Weighed once on the board the search
    // starts from, they stand in at its horizon for the picks beyond it.
    const int n = FPos.size();
    FRowWorth.assign(std::size_t(n), 0);
    FColWorth.assign(std::size_t(n), 0);
    auto weigh = [&](Side side) {
        const std::vector<std::int64_t> &other = lineWorth(Opponent(side));
        std::vector<std::int64_t> worth(other.size());
        for (int line = 0; line < n; ++line) {
            std::int64_t best = -kInf;
            for (int i = 0; i < n; ++i) {
                const std::int64_t v = FPos.value(FPos.lineMove(side, line, i));
                if (v != 0)
                    best = std::max(best, PickWorth(v, other[std::size_t(i)]));
            }
            worth[std::size_t(line)] = best == -kInf ? 0 : best;
        }
        return worth;
    };
    for (int round = 0; round < kLineRounds; ++round) {
        std::vector<std::int64_t> rows = weigh(Side::Player);
        FColWorth = weigh(Side::Computer);
        FRowWorth = std::move(rows);
    }
}

std::pair<int, std::int64_t> Searcher::favourite() const
{
    const Side mover = FPos.toMove();
    const std::vector<std::int64_t> &other = lineWorth(Opponent(mover));
    std::pair<int, std::int64_t> best{-1, -kInf};
    for (int i = 0; i < FPos.size(); ++i) {
        const int m = FPos.lineMove(mover, FPos.line(), i);
        const std::int64_t v = FPos.value(m);
        const std::int64_t worth = PickWorth(v, other[std::size_t(i)]);
        if (v != 0 && worth > best.second)
            best = {m, worth};
    }
    return best;
}

std::int64_t Searcher::evaluate()
{
    if (!FLimits.evaluate)
        return 0;
    // The line worths were weighed on the board the search started from, so they still count
    // the numbers the picks on the way here took. Playing a few picks on, each side taking the
    // one the worths favour, counts what those lines really hold now; only then do the worths
    // stand in for the rest. Four picks won 153 rather than 129 of 200 games against the
    // two-pick searcher at the same think time, where eight or sixteen won no more and a
    // playout to the end of the game far fewer.
    const Side root = FPos.toMove();
    std::int64_t taken = 0;
    int played = 0;
    for (; played < kPlayout && !FPos.over(); ++played) {
        const int move = favourite().first;
        taken += FPos.toMove() == root ? FPos.value(move) : -FPos.value(move);
        FPos.play(move);
    }
    std::int64_t rest = 0;
    if (!FPos.over())
        rest = (FPos.toMove() == root ? 1 : -1) * (favourite().second / 16);
    for (int i = 0; i < played; ++i)
        FPos.undo();
    return taken + rest;
}

void Searcher::generate(Ply &ply, int first) const
{
    // The best-looking pick first: the one the table remembers, then by prospect, the first
    // along the line among equals.
    ply.moves.clear();
    ply.keys.clear();
    const Side mover = FPos.toMove();
    const Side other = Opponent(mover);
    const int line = FPos.line();
    for (int i = 0; i < FPos.size(); ++i) {
        const int m = FPos.lineMove(mover, line, i);
        const std::int64_t v = FPos.value(m);
        if (v == 0)
            continue;
        const std::int64_t key = m == first ? kInf : 2 * v - FPos.lineMax(other, i);
        std::size_t j = ply.moves.size();
        ply.moves.push_back(m);
        ply.keys.push_back(key);
        for (; j > 0 && ply.keys[j - 1] < key; --j) {
            ply.moves[j] = ply.moves[j - 1];
            ply.keys[j] = ply.keys[j - 1];
        }
        ply.moves[j] = m;
        ply.keys[j] = key;
    }
}

std::int64_t Searcher::search(int depth, std::int64_t alpha, std::int64_t beta)
{
    if (FAborted || ++FNodes > FNodeLimit) {
        FAborted = true;
        return 0;
    }
    if (depth <= 0) {
        ++FHorizon;
        return evaluate();
    }
    const std::uint64_t k = key();
    TableEntry &entry = FTable[k & FMask];
    const std::uint32_t check = std::uint32_t(k >> 32);
    int first = -1;
    if (entry.check == check && entry.bound != Bound::None) {
        first = entry.move;
        if (entry.depth >= depth &&
            (entry.bound == Bound::Exact || (entry.bound == Bound::Lower && entry.value >= beta) ||
             (entry.bound == Bound::Upper && entry.value <= alpha))) {
            if (entry.depth != kSolved)
                ++FHorizon;
            return entry.value;
        }
    }

    Ply &node = ply();
    generate(node, first);
    const std::int64_t alphaAtStart = alpha;
    const std::int64_t horizonAtStart = FHorizon;
    std::int64_t best = -kInf;
    int bestMove = -1;
    for (std::size_t i = 0; i < node.moves.size(); ++i) {
        const int m = node.moves[i];
        std::int64_t score;
        if (i == 0) {
            score = child(m, depth, alpha, beta);
        } else {
            // Later picks only have to show they are no better; the few that are, again in full.
            // Those the ordering puts well back show it a pick shallower first: they are
            // seldom best, and the depth saved on them goes to the likely ones: at 100 000
            // nodes a pick it won 139 rather than 123 of 200 games against the two-pick
            // searcher, in about the same time. Not where the depth reaches the end of the
            // game: there the search must stay exact.
            const bool reduce = depth >= kReduceFrom && int(i) >= kReduceAfter && depth < FPos.numbersLeft();
            score = child(m, reduce ? depth - 1 : depth, alpha, alpha + 1);
            if (reduce && score > alpha && !FAborted)
                score = child(m, depth, alpha, alpha + 1);
            if (score > alpha && score < beta && !FAborted)
                score = child(m, depth, alpha, beta);
        }
        if (FAborted)
            return 0;
        if (score > best) {
            best = score;
            bestMove = m;
            if (score > alpha) {
                alpha = score;
                if (alpha >= beta)
                    break;
            }
        }
    }

    entry.check = check;
    entry.value = best;
    entry.move = std::int16_t(bestMove);
    entry.depth = FHorizon == horizonAtStart ? kSolved : std::uint8_t(depth);
    entry.bound = best <= alphaAtStart ? Bound::Upper : best >= beta ? Bound::Lower : Bound::Exact;
    return best;
}

Searcher::RootOutcome Searcher::searchRoot(const std::vector<int> &moves, int depth)
{
    RootOutcome outcome;
    const std::int64_t horizonAtStart = FHorizon;
    std::int64_t alpha = -kInf;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        std::int64_t score;
        if (i == 0) {
            score = child(moves[i], depth, alpha, kInf);
        } else {
            score = child(moves[i], depth, alpha, alpha + 1);
            if (score > alpha && !FAborted)
                score = child(moves[i], depth, alpha, kInf);
        }
        if (FAborted)
            return outcome;
        if (i == 0 || score > alpha) {
            alpha = score;
            outcome.best = moves[i];
        }
    }
    outcome.value = alpha;
    outcome.finished = true;
    outcome.exact = FHorizon == horizonAtStart;
    return outcome;
}

SearchResult Searcher::run()
{
    SearchResult result;
    std::vector<int> moves = FPos.moves();
    if (moves.empty())
        return result;
    std::stable_sort(moves.begin(), moves.end(),
                     [&](int a, int b) { return Prospect(FPos, a) > Prospect(FPos, b); });
    result.move = moves.front();
    if (moves.size() == 1)
        return result;
    const int maxDepth = std::min({FLimits.depth, kMaxDepth, FPos.numbersLeft()});
    bool solveTried = false;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        RootOutcome outcome = searchRoot(moves, depth);
        if (!outcome.finished) {
            // The pick that was best so far in the unfinished depth was searched to its end
            // and is at least as good as the last depth's best, which was tried first.
            if (outcome.best >= 0)
                result.move = outcome.best;
            break;
        }
        result.move = outcome.best;
        result.value = outcome.value;
        result.depth = depth;
        result.exact = outcome.exact;
        std::stable_partition(moves.begin(), moves.end(), [&](int m) { return m == outcome.best; });
        if (result.exact)
            break;
        // Deepening one pick at a time to the end costs many times more than searching to the
        // end at once, since the values at every horizon on the way are thrown away. So near the
        // end, once the first depths have ordered the picks, try the whole rest with a third of
        // what is left; when that does not suffice, go on deepening with the rest.
        if (!solveTried && depth >= 2 && depth < maxDepth && FPos.numbersLeft() <= kSolveWithin) {
            solveTried = true;
            FNodeLimit = FNodes + (FLimits.nodes - FNodes) / 3;
            outcome = searchRoot(moves, maxDepth);
            FNodeLimit = FLimits.nodes;
            if (outcome.finished) {
                result.move = outcome.best;
                result.value = outcome.value;
                result.depth = maxDepth;
                result.exact = outcome.exact;
                break;
            }
            FAborted = false;
        }
    }
    result.nodes = FNodes;
    return result;
}

// Normal: each candidate's number against the best number of the line it opens to the other
// side, that number counting the candidate itself; the best score, the first among equals.
int NormalPick(const Position &pos)
{
    std::optional<std::int64_t> best;
    int chosen = -1;
    for (const int m : pos.moves()) {
        const std::int64_t score = Prospect(pos, m);
        if (!best || score > *best) {
            best = score;
            chosen = m;
        }
    }
    return chosen;
}

// Novice: three picks in four as Normal, the others any number of the better half of its line,
// drawn from the position so that the same game goes the same way. It never takes a poor number
// when a better one is there, but often misses what its pick opens to the other side.
int NovicePick(const Position &pos)
{
    std::vector<int> moves = pos.moves();
    if (moves.empty())
        return -1;
    const std::uint64_t draw = Mix64(pos.fingerprint());
    if (draw % 4 != 0)
        return NormalPick(pos);
    std::stable_sort(moves.begin(), moves.end(), [&](int a, int b) { return pos.value(a) > pos.value(b); });
    const std::size_t better = (moves.size() + 1) / 2;
    return moves[std::size_t((draw >> 8) % better)];
}

std::int64_t PlainValue(Position &pos, int depth, std::int64_t alpha, std::int64_t beta)
{
    if (depth == 0)
        return 0;
    std::int64_t best = -kInf;
    for (const int m : pos.moves()) {
        const std::int64_t score = WorthOfPick(pos, m, alpha, beta, [&](std::int64_t a, std::int64_t b) {
            return PlainValue(pos, depth - 1, a, b);
        });
        if (score > best) {
            best = score;
            alpha = std::max(alpha, score);
            if (alpha >= beta)
                break;
        }
    }
    return best;
}

} // namespace

SearchResult Search(const Position &position, const SearchLimits &limits)
{
    Searcher searcher(position, limits);
    return searcher.run();
}

SearchLimits StrengthLimits(Strength strength, int boardSize)
{
    // A node costs a few lines' lengths to generate, weigh and play out at the horizon, so
    // Master's nodes shrink as the board grows, keeping a pick near a tenth of a second on a
    // modest machine on every size: 500 000 up to 10 x 10, 100 000 on the largest board. At
    // 10 x 10 the playout and the shallower look at unlikely picks made it stronger than twice
    // the nodes would have (see evaluate()). Up to 5 x 5 the rest of the game after the
    // player's first pick takes up to about 170 000 nodes to play out perfectly (the most over
    // 300 first answers measured), which the third of the budget tried once the first depths
    // are done covers. Strong gets an eighth.
    SearchLimits limits;
    limits.nodes = boardSize <= 5 ? 1'000'000 : std::clamp<std::int64_t>(5'000'000 / boardSize, 100'000, 500'000);
    if (strength == Strength::Strong)
        limits.nodes /= 8;
    return limits;
}

int ChoosePick(const Position &position, Strength strength)
{
    switch (strength) {
    case Strength::Novice:
        return NovicePick(position);
    case Strength::Normal:
        return NormalPick(position);
    case Strength::Strong:
    case Strength::Master:
        break;
    }
    return Search(position, StrengthLimits(strength, position.size())).move;
}

int GreedyPick(const Position &position)
{
    int chosen = -1;
    for (const int m : position.moves())
        if (chosen < 0 || position.value(m) > position.value(chosen))
            chosen = m;
    return chosen;
}

int PlainSearchPick(const Position &position, int depth)
{
    // At the root only a pick strictly better than the best so far counts, so that among equal
    // picks the first one along the line stays.
    Position pos = position;
    std::int64_t best = -kInf;
    int chosen = -1;
    for (const int m : pos.moves()) {
        const std::int64_t score = WorthOfPick(pos, m, best, kInf, [&](std::int64_t a, std::int64_t b) {
            return PlainValue(pos, depth - 1, a, b);
        });
        if (chosen < 0 || score > best) {
            best = score;
            chosen = m;
        }
    }
    return chosen;
}

} // namespace numbrax
