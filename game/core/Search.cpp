// SPDX-License-Identifier: MIT
#include "Search.h"

#include <algorithm>
#include <optional>

namespace numbrax {

namespace {

// Beyond any margin: 2500 cells of at most 2^31 each stay far below it, and adding or taking a
// number from it cannot overflow.
constexpr std::int64_t kInf = std::int64_t(1) << 62;
constexpr int kMaxDepth = 250;
constexpr std::uint8_t kSolved = 255; // a table entry whose value no horizon touched

std::int64_t ClampWindow(std::int64_t v)
{
    return std::clamp(v, -kInf, kInf);
}

enum class Bound : std::uint8_t { None, Lower, Upper, Exact };

struct TableEntry
{
    std::uint64_t key = 0;
    std::int64_t value = 0;
    std::int32_t move = -1;
    std::uint8_t depth = 0;
    Bound bound = Bound::None;
};

class Searcher
{
public:
    Searcher(const Position &position, const SearchLimits &limits)
        : FPos(position)
        , FLimits(limits)
    {
        // About two entries a node, within 2^12 .. 2^21 entries (24 bytes each).
        std::size_t entries = 1u << 12;
        while (entries < (1u << 21) && std::int64_t(entries) < 2 * limits.nodes)
            entries <<= 1;
        FTable.resize(entries);
        FMask = entries - 1;
        FRootPlayed = FPos.played();
        FBuffers.resize(kMaxDepth + 1);
    }

    SearchResult run();

private:
    std::int64_t search(int depth, std::int64_t alpha, std::int64_t beta);
    std::int64_t child(int move, int depth, std::int64_t alpha, std::int64_t beta);
    std::int64_t evaluate() const;
    void order(std::vector<int> &moves, int first) const;
    std::uint64_t key() const
    {
        return FPos.takenKey() ^ Mix64(std::uint64_t(FPos.line()) * 2 + (FPos.toMove() == Side::Player ? 1 : 0));
    }
    // One list of picks a ply, kept from node to node so that a search allocates nothing.
    std::vector<int> &buffer() { return FBuffers[std::size_t(FPos.played() - FRootPlayed)]; }

    Position FPos;
    SearchLimits FLimits;
    std::vector<TableEntry> FTable;
    std::size_t FMask = 0;
    std::vector<std::vector<int>> FBuffers;
    int FRootPlayed = 0;
    std::int64_t FNodes = 0;
    std::int64_t FHorizon = 0; // leaves cut off by the depth; none in a search means it is exact
    bool FAborted = false;
};

// How good a pick looks before searching it: its number against the best one it opens to the
// other side. Normal plays by this alone.
std::int64_t Prospect(const Position &pos, int move)
{
    const std::int32_t v = pos.value(move);
    return 2 * std::int64_t(v) - pos.lineMax(Opponent(pos.toMove()), pos.crossLine(move));
}

void Searcher::order(std::vector<int> &moves, int first) const
{
    std::vector<std::pair<std::int64_t, int>> keyed;
    keyed.reserve(moves.size());
    for (const int m : moves)
        keyed.emplace_back(m == first ? kInf : Prospect(FPos, m), m);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (std::size_t i = 0; i < moves.size(); ++i)
        moves[i] = keyed[i].second;
}

std::int64_t Searcher::evaluate() const
{
    return 0;
}

std::int64_t Searcher::child(int move, int depth, std::int64_t alpha, std::int64_t beta)
{
    const std::int64_t v = FPos.value(move);
    const Side mover = FPos.toMove();
    FPos.play(move);
    std::int64_t score;
    if (FPos.over())
        score = v;
    else if (FPos.toMove() != mover)
        score = v - search(depth - 1, ClampWindow(v - beta), ClampWindow(v - alpha));
    else
        score = v + search(depth - 1, ClampWindow(alpha - v), ClampWindow(beta - v));
    FPos.undo();
    return score;
}

std::int64_t Searcher::search(int depth, std::int64_t alpha, std::int64_t beta)
{
    if (FAborted || ++FNodes > FLimits.nodes) {
        FAborted = true;
        return 0;
    }
    if (depth <= 0) {
        ++FHorizon;
        return evaluate();
    }
    const std::uint64_t k = key();
    TableEntry &entry = FTable[k & FMask];
    int first = -1;
    if (entry.key == k) {
        first = entry.move;
        if (entry.depth >= depth &&
            (entry.bound == Bound::Exact || (entry.bound == Bound::Lower && entry.value >= beta) ||
             (entry.bound == Bound::Upper && entry.value <= alpha))) {
            if (entry.depth != kSolved)
                ++FHorizon;
            return entry.value;
        }
    }

    std::vector<int> &moves = buffer();
    moves.clear();
    FPos.appendMoves(moves);
    order(moves, first);
    const std::vector<int> &mine = moves;

    const std::int64_t alphaAtStart = alpha;
    const std::int64_t horizonAtStart = FHorizon;
    std::int64_t best = -kInf;
    int bestMove = -1;
    for (std::size_t i = 0; i < mine.size(); ++i) {
        const int m = mine[i];
        std::int64_t score;
        if (i == 0) {
            score = child(m, depth, alpha, beta);
        } else {
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

    entry.key = k;
    entry.value = best;
    entry.move = bestMove;
    entry.depth = FHorizon == horizonAtStart ? kSolved : std::uint8_t(depth);
    entry.bound = best <= alphaAtStart ? Bound::Upper : best >= beta ? Bound::Lower : Bound::Exact;
    return best;
}

SearchResult Searcher::run()
{
    SearchResult result;
    std::vector<int> moves = FPos.moves();
    if (moves.empty())
        return result;
    order(moves, -1);
    result.move = moves.front();
    if (moves.size() == 1)
        return result;
    const int maxDepth = std::min({FLimits.depth, kMaxDepth, FPos.numbersLeft()});
    for (int depth = 1; depth <= maxDepth; ++depth) {
        const std::int64_t horizonAtStart = FHorizon;
        std::int64_t alpha = -kInf;
        int best = -1;
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
                break;
            if (i == 0 || score > alpha) {
                alpha = score;
                best = moves[i];
            }
        }
        if (FAborted) {
            // The pick that was best so far in the unfinished depth was searched to its end
            // and is at least as good as the last depth's best.
            if (best >= 0)
                result.move = best;
            break;
        }
        result.move = best;
        result.value = alpha;
        result.depth = depth;
        result.exact = FHorizon == horizonAtStart;
        std::stable_partition(moves.begin(), moves.end(), [best](int m) { return m == best; });
        if (result.exact)
            break;
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

// Novice: half of its picks the largest number of its line, the others any of the better half
// of its numbers, drawn from the position so that the same game goes the same way.
int NovicePick(const Position &pos)
{
    std::vector<int> moves = pos.moves();
    if (moves.empty())
        return -1;
    const std::uint64_t draw = Mix64(pos.fingerprint());
    std::stable_sort(moves.begin(), moves.end(), [&](int a, int b) { return pos.value(a) > pos.value(b); });
    if (draw & 1)
        return moves.front();
    const std::size_t better = (moves.size() + 1) / 2;
    return moves[std::size_t((draw >> 1) % better)];
}

std::int64_t PlainValue(Position &pos, int depth, std::int64_t alpha, std::int64_t beta)
{
    if (depth == 0)
        return 0;
    std::int64_t best = -kInf;
    for (const int m : pos.moves()) {
        const std::int64_t v = pos.value(m);
        const Side mover = pos.toMove();
        pos.play(m);
        std::int64_t score;
        if (pos.over())
            score = v;
        else if (pos.toMove() != mover)
            score = v - PlainValue(pos, depth - 1, ClampWindow(v - beta), ClampWindow(v - alpha));
        else
            score = v + PlainValue(pos, depth - 1, ClampWindow(alpha - v), ClampWindow(beta - v));
        pos.undo();
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
    (void)boardSize;
    SearchLimits limits;
    if (strength == Strength::Strong) {
        limits.nodes = 20'000;
    } else {
        limits.nodes = 200'000;
    }
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
    Position pos = position;
    std::int64_t best = -kInf;
    int chosen = -1;
    for (const int m : pos.moves()) {
        const std::int64_t v = pos.value(m);
        const Side mover = pos.toMove();
        pos.play(m);
        std::int64_t score;
        if (pos.over())
            score = v;
        else if (pos.toMove() != mover)
            score = v - PlainValue(pos, depth - 1, -kInf, ClampWindow(v - best));
        else
            score = v + PlainValue(pos, depth - 1, ClampWindow(best - v), kInf);
        pos.undo();
        if (chosen < 0 || score > best) {
            best = score;
            chosen = m;
        }
    }
    return chosen;
}

} // namespace numbrax
