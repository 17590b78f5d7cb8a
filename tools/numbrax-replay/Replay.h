// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>

namespace numbrax {

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
