// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>

namespace numbrax {

// Runs a replay script from in, writing what happens to out and errors to err. Returns the
// process exit status: 0 when the whole script ran, 2 at the first line in error.
int RunReplay(std::istream &in, std::ostream &out, std::ostream &err);

} // namespace numbrax
