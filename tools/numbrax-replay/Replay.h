// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <iosfwd>

namespace numbrax {

// The most lines a script may hold, blank lines and comments included. A game on the largest
// board takes at most 2500 picks, so a script that moves, presses and prints for each fits;
// the line past the limit is an error, so that no script keeps the driver busy for long.
inline constexpr int kMaxScriptLines = 10000;
// The longest line, in bytes: a row of the largest board takes some 400. Without a bound a
// file of one endless line would be read into memory whole before anything else is checked.
inline constexpr std::size_t kMaxLineLength = 4096;

// What a script may ask for before it counts as an error, for callers that must finish any
// script quickly (a fuzzer): each search, a Strong or Master pick or a hint, is bounded by its
// nodes, but a script can ask for many.
struct ReplayLimits
{
    long searches = -1; // -1: as many as the script asks for
};

// Runs a replay script from in, writing what happens to out and errors to err. Returns the
// process exit status: 0 when the whole script ran, 2 at the first line in error.
int RunReplay(std::istream &in, std::ostream &out, std::ostream &err, const ReplayLimits &limits = {});

} // namespace numbrax
