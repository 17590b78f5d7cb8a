// SPDX-License-Identifier: MIT
// The replay driver on arbitrary scripts.
#include "Replay.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// Room for a board of the largest size written out row by row, and for a game on it. Longer
// scripts only repeat what shorter ones try, while the driver's time grows with every line.
constexpr std::size_t kMaxScriptBytes = 8192;

// Takes the transcript and keeps nothing: a script of prints would otherwise fill the memory.
class Discard : public std::streambuf
{
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char_type *, std::streamsize count) override { return count; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > kMaxScriptBytes)
        return -1;
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    Discard discard;
    std::ostream out(&discard);
    std::ostringstream err;
    // A Strong or Master pick or a hint searches hundreds of thousands of positions: seconds
    // under the fuzzer's instrumentation, past its time limit. Scripts asking for one end at
    // that line; the search's own tests play it on every kind of board.
    const int status = numbrax::RunReplay(in, out, err, numbrax::ReplayLimits{0});

    // A run ends whole and silent, or at a line in error with exactly one line saying which.
    const std::string said = err.str();
    const bool named = said.starts_with("numbrax-replay: line ") && said.find('\n') == said.size() - 1;
    if (status == 0 ? !said.empty() : status != 2 || !named)
        std::abort();
    return 0;
}
